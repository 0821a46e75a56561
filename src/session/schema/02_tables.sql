-- The catalogue tables. Keys, references and indexes follow in the next
-- script. Flag columns are not null and default to 0 through BOOL.

-- Objects: one data table each.
create table OBJ (
  OBJ_ID PK not null,
  OBJ_TABLE varchar(31) not null,
  OBJ_CAPT varchar(100),
  OBJ_REF BOOL not null,
  OBJ_META BOOL not null,
  OBJ_SYS BOOL not null
);

-- Field types, matched to the program's types by name.
create table FLDTYPE (
  FLDTYPE_ID PK not null,
  FLDTYPE_NAME varchar(31) not null
);

-- Delete rules of links, matched by name.
create table FKRULE (
  FKRULE_ID PK not null,
  FKRULE_NAME varchar(31) not null
);

-- One row per unique constraint. Its member fields carry the id.
create table UNIQFLD (
  UNIQFLD_ID PK not null
);

-- Fields of the objects. A virtual field has no column.
create table FLD (
  FLD_ID PK not null,
  OBJ_ID FK not null,
  FLD_FIELD varchar(31) not null,
  FLDTYPE_ID FK not null,
  FLD_SIZE INTEG default 0 not null,
  FLD_NOTNULL BOOL not null,
  FLD_CAPT varchar(100),
  UNIQFLD_ID FK,
  FLD_DEF varchar(255),
  FLD_MAIN BOOL not null,
  FLD_FORMULA varchar(1000),
  DEP_ID_AGR FK,
  FLD_ID_AGR FK,
  FLD_VIRT BOOL not null,
  FLD_SYS BOOL not null
);

-- Links: a child object's fk field refers to a parent object's key field.
create table DEP (
  DEP_ID PK not null,
  FLD_ID_PAR FK not null,
  FLD_ID_CHI FK not null,
  DEP_MAIN BOOL not null,
  FKRULE_ID FK not null,
  DEP_DET BOOL not null,
  DEP_CAPT varchar(100)
);

-- Grid definitions and the nodes of their column trees.
create table TBL (
  TBL_ID PK not null,
  OBJ_ID FK not null,
  DEP_ID FK,
  TBL_CAPT varchar(100),
  TBL_NAME varchar(100),
  TBL_DEFAULT BOOL not null,
  TBL_DEV BOOL not null
);

create table TBLFLD (
  TBLFLD_ID PK not null,
  TBL_ID FK not null,
  FLD_ID FK,
  TBLFLD_LFT INTEG not null,
  TBLFLD_RGT INTEG not null
);

-- Card definitions and the nodes of their control trees.
create table CARD (
  CARD_ID PK not null,
  OBJ_ID FK not null,
  CARD_CAPT varchar(100),
  CARD_NAME varchar(100),
  CARD_DEFAULT BOOL not null,
  CARD_DEV BOOL not null,
  CARD_WIDTH INTEG,
  CARD_HEIGHTATR INTEG,
  CARD_HEIGHTDET INTEG
);

create table CTRLTYPE (
  CTRLTYPE_ID PK not null,
  CTRLTYPE_NAME varchar(31) not null
);

create table CTRL (
  CTRL_ID PK not null,
  CARD_ID FK not null,
  FLD_ID FK,
  CTRLTYPE_ID FK not null,
  CTRL_LFT INTEG not null,
  CTRL_RGT INTEG not null,
  CTRL_CLEFT INTEG,
  CTRL_CTOP INTEG,
  CTRL_CWIDTH INTEG,
  CTRL_CHEIGHT INTEG,
  CTRL_LLEFT INTEG,
  CTRL_LTOP INTEG,
  CTRL_LWIDTH INTEG,
  CTRL_LHEIGHT INTEG,
  CTRL_CAPT varchar(100),
  CTRL_ROADD BOOL not null,
  CTRL_ROEDT BOOL not null
);

-- Detail books and the links each one shows.
create table DETBOOK (
  DETBOOK_ID PK not null,
  OBJ_ID FK not null,
  DETBOOK_CAPT varchar(100),
  DETBOOK_NAME varchar(100),
  DETBOOK_DEFAULT BOOL not null,
  DETBOOK_DEV BOOL not null
);

create table DETDEP (
  DETDEP_ID PK not null,
  DETBOOK_ID FK not null,
  DEP_ID FK not null
);

-- Filters, the nodes of their condition trees and the link paths of the
-- nodes.
create table FLTR (
  FLTR_ID PK not null,
  OBJ_ID FK not null,
  TBL_ID FK,
  DEP_ID FK,
  FLTR_CAPT varchar(100),
  FLTR_NAME varchar(100),
  FLTR_ALWAYS BOOL not null,
  -- may stay null: such a filter is skipped in developer mode
  FLTR_DEV BOOL
);

create table FLTRTRTP (
  FLTRTRTP_ID PK not null,
  FLTRTRTP_NAME varchar(31) not null
);

create table FLTRTREE (
  FLTRTREE_ID PK not null,
  FLTR_ID FK not null,
  FLTRTREE_LFT INTEG not null,
  FLTRTREE_RGT INTEG not null,
  FLTRTRTP_ID FK not null,
  FLTRTREE_NOT BOOL not null,
  FLTRTREE_VALUE varchar(255),
  FLD_ID FK,
  DEP_ID FK,
  FLTRTREE_NAME varchar(100)
);

create table FLTRTRPT (
  FLTRTRPT_ID PK not null,
  FLTRTREE_ID FK not null,
  FLD_ID FK not null
);

-- Users and the grid, card and detail book each one has chosen.
create table USR (
  USR_ID PK not null,
  USR_LOGIN varchar(31) not null,
  USR_NAME varchar(100)
);

create table USRTBL (
  USR_ID FK not null,
  TBL_ID FK not null
);

create table USRCARD (
  USR_ID FK not null,
  CARD_ID FK not null
);

create table USRDET (
  USR_ID FK not null,
  DETBOOK_ID FK not null
);

-- Currency rates: a rate holds from its date on.
create table CURRATE (
  CURRATE_ID PK not null,
  CURR_ID FK not null,
  CURRATE_DATE DATEONLY not null,
  CURRATE_VALUE NUM134 not null
);
