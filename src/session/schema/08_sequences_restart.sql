-- Move the sequences of the rows inserted above past their ids, with room
-- to spare: OBJ 1-6, FLD 1-56, DEP 1-7, USR 1. Sequences of tables that
-- got no rows start from the beginning.
alter sequence OBJ_ID restart with 100;
alter sequence FLD_ID restart with 1000;
alter sequence DEP_ID restart with 100;
alter sequence USR_ID restart with 100;
