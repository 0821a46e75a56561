-- Sequences start past the rows the scripts inserted.
alter sequence OBJ_ID restart with 100;
alter sequence FLD_ID restart with 1000;
alter sequence DEP_ID restart with 100;
alter sequence USR_ID restart with 100;
