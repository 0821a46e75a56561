-- Keys, references and indexes of the catalogue.
--
-- Deleting a row takes with it what belongs to it, so that removing an
-- object, a field or a link needs one delete only:
--   OBJ     -> its FLD, TBL, CARD, DETBOOK and FLTR rows;
--   FLD     -> the DEP rows in which it is the parent or the child field;
--   DEP     -> the TBL, DETDEP and FLTR rows of that link;
--   TBL     -> its TBLFLD rows, its FLTR rows and the users' choices of it;
--   CARD    -> its CTRL rows and the users' choices of it;
--   DETBOOK -> its DETDEP rows and the users' choices of it;
--   FLTR    -> its FLTRTREE rows, and these their FLTRTRPT rows;
--   USR     -> the user's choices.
-- A summing field whose link or summed field goes keeps its row, with the
-- reference set to null, and so does a field whose unique group goes.
-- Tree rows that merely name a field or a link (TBLFLD.FLD_ID, CTRL.FLD_ID,
-- FLTRTREE.FLD_ID, FLTRTREE.DEP_ID, FLTRTRPT.FLD_ID) have no reference:
-- they neither block a delete nor go with it.
-- Key updates cascade everywhere, like the links the system creates.

-- Primary keys.
alter table OBJ add constraint PK_OBJ primary key (OBJ_ID);
alter table FLDTYPE add constraint PK_FLDTYPE primary key (FLDTYPE_ID);
alter table FKRULE add constraint PK_FKRULE primary key (FKRULE_ID);
alter table UNIQFLD add constraint PK_UNIQFLD primary key (UNIQFLD_ID);
alter table FLD add constraint PK_FLD primary key (FLD_ID);
alter table DEP add constraint PK_DEP primary key (DEP_ID);
alter table TBL add constraint PK_TBL primary key (TBL_ID);
alter table TBLFLD add constraint PK_TBLFLD primary key (TBLFLD_ID);
alter table CARD add constraint PK_CARD primary key (CARD_ID);
alter table CTRLTYPE add constraint PK_CTRLTYPE primary key (CTRLTYPE_ID);
alter table CTRL add constraint PK_CTRL primary key (CTRL_ID);
alter table DETBOOK add constraint PK_DETBOOK primary key (DETBOOK_ID);
alter table DETDEP add constraint PK_DETDEP primary key (DETDEP_ID);
alter table FLTR add constraint PK_FLTR primary key (FLTR_ID);
alter table FLTRTRTP add constraint PK_FLTRTRTP primary key (FLTRTRTP_ID);
alter table FLTRTREE add constraint PK_FLTRTREE primary key (FLTRTREE_ID);
alter table FLTRTRPT add constraint PK_FLTRTRPT primary key (FLTRTRPT_ID);
alter table USR add constraint PK_USR primary key (USR_ID);
-- A user's choice is keyed by the user and the chosen definition.
alter table USRTBL add constraint PK_USRTBL primary key (USR_ID, TBL_ID);
alter table USRCARD add constraint PK_USRCARD primary key (USR_ID, CARD_ID);
alter table USRDET add constraint PK_USRDET primary key (USR_ID, DETBOOK_ID);
alter table CURRATE add constraint PK_CURRATE primary key (CURRATE_ID);

-- Unique names, named like the unique constraints the system creates.
alter table OBJ add constraint UN_OBJ_TABLE unique (OBJ_TABLE);
alter table FLDTYPE add constraint UN_FLDTYPE_NAME unique (FLDTYPE_NAME);
alter table FKRULE add constraint UN_FKRULE_NAME unique (FKRULE_NAME);
alter table CTRLTYPE add constraint UN_CTRLTYPE_NAME unique (CTRLTYPE_NAME);
alter table FLTRTRTP add constraint UN_FLTRTRTP_NAME unique (FLTRTRTP_NAME);
alter table USR add constraint UN_USR_LOGIN unique (USR_LOGIN);
-- One rate per currency and date.
alter table CURRATE add constraint UN_CURR_ID_CURRATE_DATE unique (CURR_ID, CURRATE_DATE);

-- Fields and links.
alter table FLD add constraint FK_FLD_OBJ_ID foreign key (OBJ_ID) references OBJ (OBJ_ID) on delete cascade on update cascade;
alter table FLD add constraint FK_FLD_FLDTYPE_ID foreign key (FLDTYPE_ID) references FLDTYPE (FLDTYPE_ID) on delete no action on update cascade;
alter table FLD add constraint FK_FLD_UNIQFLD_ID foreign key (UNIQFLD_ID) references UNIQFLD (UNIQFLD_ID) on delete set null on update cascade;
alter table FLD add constraint FK_FLD_DEP_ID_AGR foreign key (DEP_ID_AGR) references DEP (DEP_ID) on delete set null on update cascade;
alter table FLD add constraint FK_FLD_FLD_ID_AGR foreign key (FLD_ID_AGR) references FLD (FLD_ID) on delete set null on update cascade;
alter table DEP add constraint FK_DEP_FLD_ID_PAR foreign key (FLD_ID_PAR) references FLD (FLD_ID) on delete cascade on update cascade;
alter table DEP add constraint FK_DEP_FLD_ID_CHI foreign key (FLD_ID_CHI) references FLD (FLD_ID) on delete cascade on update cascade;
alter table DEP add constraint FK_DEP_FKRULE_ID foreign key (FKRULE_ID) references FKRULE (FKRULE_ID) on delete no action on update cascade;

-- Grids.
alter table TBL add constraint FK_TBL_OBJ_ID foreign key (OBJ_ID) references OBJ (OBJ_ID) on delete cascade on update cascade;
alter table TBL add constraint FK_TBL_DEP_ID foreign key (DEP_ID) references DEP (DEP_ID) on delete cascade on update cascade;
alter table TBLFLD add constraint FK_TBLFLD_TBL_ID foreign key (TBL_ID) references TBL (TBL_ID) on delete cascade on update cascade;
-- Column trees are read in nested-set order.
create index IX_TBLFLD_TBL_LFT on TBLFLD (TBL_ID, TBLFLD_LFT);

-- Cards.
alter table CARD add constraint FK_CARD_OBJ_ID foreign key (OBJ_ID) references OBJ (OBJ_ID) on delete cascade on update cascade;
alter table CTRL add constraint FK_CTRL_CARD_ID foreign key (CARD_ID) references CARD (CARD_ID) on delete cascade on update cascade;
alter table CTRL add constraint FK_CTRL_CTRLTYPE_ID foreign key (CTRLTYPE_ID) references CTRLTYPE (CTRLTYPE_ID) on delete no action on update cascade;
create index IX_CTRL_CARD_LFT on CTRL (CARD_ID, CTRL_LFT);

-- Detail books.
alter table DETBOOK add constraint FK_DETBOOK_OBJ_ID foreign key (OBJ_ID) references OBJ (OBJ_ID) on delete cascade on update cascade;
alter table DETDEP add constraint FK_DETDEP_DETBOOK_ID foreign key (DETBOOK_ID) references DETBOOK (DETBOOK_ID) on delete cascade on update cascade;
alter table DETDEP add constraint FK_DETDEP_DEP_ID foreign key (DEP_ID) references DEP (DEP_ID) on delete cascade on update cascade;

-- Filters.
alter table FLTR add constraint FK_FLTR_OBJ_ID foreign key (OBJ_ID) references OBJ (OBJ_ID) on delete cascade on update cascade;
alter table FLTR add constraint FK_FLTR_TBL_ID foreign key (TBL_ID) references TBL (TBL_ID) on delete cascade on update cascade;
alter table FLTR add constraint FK_FLTR_DEP_ID foreign key (DEP_ID) references DEP (DEP_ID) on delete cascade on update cascade;
alter table FLTRTREE add constraint FK_FLTRTREE_FLTR_ID foreign key (FLTR_ID) references FLTR (FLTR_ID) on delete cascade on update cascade;
alter table FLTRTREE add constraint FK_FLTRTREE_FLTRTRTP_ID foreign key (FLTRTRTP_ID) references FLTRTRTP (FLTRTRTP_ID) on delete no action on update cascade;
alter table FLTRTRPT add constraint FK_FLTRTRPT_FLTRTREE_ID foreign key (FLTRTREE_ID) references FLTRTREE (FLTRTREE_ID) on delete cascade on update cascade;
create index IX_FLTRTREE_FLTR_LFT on FLTRTREE (FLTR_ID, FLTRTREE_LFT);

-- The users' choices.
alter table USRTBL add constraint FK_USRTBL_USR_ID foreign key (USR_ID) references USR (USR_ID) on delete cascade on update cascade;
alter table USRTBL add constraint FK_USRTBL_TBL_ID foreign key (TBL_ID) references TBL (TBL_ID) on delete cascade on update cascade;
alter table USRCARD add constraint FK_USRCARD_USR_ID foreign key (USR_ID) references USR (USR_ID) on delete cascade on update cascade;
alter table USRCARD add constraint FK_USRCARD_CARD_ID foreign key (CARD_ID) references CARD (CARD_ID) on delete cascade on update cascade;
alter table USRDET add constraint FK_USRDET_USR_ID foreign key (USR_ID) references USR (USR_ID) on delete cascade on update cascade;
alter table USRDET add constraint FK_USRDET_DETBOOK_ID foreign key (DETBOOK_ID) references DETBOOK (DETBOOK_ID) on delete cascade on update cascade;

-- Rates are looked up as the latest one of a currency up to a date.
create descending index IX_CURRATE_CURR_DATE_DESC on CURRATE (CURR_ID, CURRATE_DATE);
