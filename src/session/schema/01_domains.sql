-- Column domains of the catalogue and of the data tables.
create domain PK as integer;
create domain FK as integer;
create domain INTEG as integer;
create domain BOOL as smallint default 0 check (value in (0, 1));
-- Numeric columns start at 0 so that summing triggers ("X = X + Y") work
-- on rows inserted without them.
create domain NUM134 as numeric(13, 4) default 0;
create domain NUM143 as numeric(14, 3) default 0;
create domain NUM152 as numeric(15, 2) default 0;
create domain DATEONLY as date;
