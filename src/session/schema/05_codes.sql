-- Code tables. The system matches the names (case counts) to its own
-- enumerations, the ids are what the catalogue stores.

-- Field types.
insert into FLDTYPE (FLDTYPE_ID, FLDTYPE_NAME) values (1, 'pk');
insert into FLDTYPE (FLDTYPE_ID, FLDTYPE_NAME) values (2, 'string');
insert into FLDTYPE (FLDTYPE_ID, FLDTYPE_NAME) values (3, 'fk');
insert into FLDTYPE (FLDTYPE_ID, FLDTYPE_NAME) values (4, 'integer');
insert into FLDTYPE (FLDTYPE_ID, FLDTYPE_NAME) values (5, 'boolean');
insert into FLDTYPE (FLDTYPE_ID, FLDTYPE_NAME) values (6, 'num134');
insert into FLDTYPE (FLDTYPE_ID, FLDTYPE_NAME) values (7, 'num143');
insert into FLDTYPE (FLDTYPE_ID, FLDTYPE_NAME) values (8, 'num152');
insert into FLDTYPE (FLDTYPE_ID, FLDTYPE_NAME) values (9, 'date');

-- Delete rules of links.
insert into FKRULE (FKRULE_ID, FKRULE_NAME) values (1, 'NoAction');
insert into FKRULE (FKRULE_ID, FKRULE_NAME) values (2, 'Cascade');
insert into FKRULE (FKRULE_ID, FKRULE_NAME) values (3, 'SetNull');

-- Control kinds of cards.
insert into CTRLTYPE (CTRLTYPE_ID, CTRLTYPE_NAME) values (1, 'Root');
insert into CTRLTYPE (CTRLTYPE_ID, CTRLTYPE_NAME) values (2, 'PageControl');
insert into CTRLTYPE (CTRLTYPE_ID, CTRLTYPE_NAME) values (3, 'TabSheet');
insert into CTRLTYPE (CTRLTYPE_ID, CTRLTYPE_NAME) values (4, 'EditStr');
insert into CTRLTYPE (CTRLTYPE_ID, CTRLTYPE_NAME) values (5, 'EditInt');
insert into CTRLTYPE (CTRLTYPE_ID, CTRLTYPE_NAME) values (6, 'EditNum134');
insert into CTRLTYPE (CTRLTYPE_ID, CTRLTYPE_NAME) values (7, 'EditNum143');
insert into CTRLTYPE (CTRLTYPE_ID, CTRLTYPE_NAME) values (8, 'EditNum152');
insert into CTRLTYPE (CTRLTYPE_ID, CTRLTYPE_NAME) values (9, 'EditObj');
insert into CTRLTYPE (CTRLTYPE_ID, CTRLTYPE_NAME) values (10, 'DateEdit');
insert into CTRLTYPE (CTRLTYPE_ID, CTRLTYPE_NAME) values (11, 'CheckBox');

-- Node kinds of filter trees.
insert into FLTRTRTP (FLTRTRTP_ID, FLTRTRTP_NAME) values (1, 'And');
insert into FLTRTRTP (FLTRTRTP_ID, FLTRTRTP_NAME) values (2, 'Or');
insert into FLTRTRTP (FLTRTRTP_ID, FLTRTRTP_NAME) values (3, 'Equal');
insert into FLTRTRTP (FLTRTRTP_ID, FLTRTRTP_NAME) values (4, 'Greater');
insert into FLTRTRTP (FLTRTRTP_ID, FLTRTRTP_NAME) values (5, 'Less');
insert into FLTRTRTP (FLTRTRTP_ID, FLTRTRTP_NAME) values (6, 'Empty');
insert into FLTRTRTP (FLTRTRTP_ID, FLTRTRTP_NAME) values (7, 'Containing');
insert into FLTRTRTP (FLTRTRTP_ID, FLTRTRTP_NAME) values (8, 'Between');
insert into FLTRTRTP (FLTRTRTP_ID, FLTRTRTP_NAME) values (9, 'In');
insert into FLTRTRTP (FLTRTRTP_ID, FLTRTRTP_NAME) values (10, 'Exist');
