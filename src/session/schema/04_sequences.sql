-- Identifier sequences of the catalogue tables. Those of the rows the next
-- scripts insert are moved past them at the end.
create sequence OBJ_ID;
create sequence FLD_ID;
create sequence DEP_ID;
create sequence UNIQFLD_ID;
create sequence TBL_ID;
create sequence TBLFLD_ID;
create sequence CARD_ID;
create sequence CTRL_ID;
create sequence DETBOOK_ID;
create sequence DETDEP_ID;
create sequence FLTR_ID;
create sequence FLTRTREE_ID;
create sequence FLTRTRPT_ID;
create sequence USR_ID;
create sequence CURRATE_ID;
