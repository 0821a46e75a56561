-- Column domains shared by the catalogue and the data tables it describes.
-- Keys and references.
create domain PK as integer;
create domain FK as integer;
create domain INTEG as integer;
-- Flags hold 1 or 0.
create domain BOOL as smallint default 0 check (value in (0, 1));
-- Amounts start at 0, so that the summing triggers ("X = X + Y") also work
-- for rows inserted without the column.
create domain NUM134 as numeric(13, 4) default 0;
create domain NUM143 as numeric(14, 3) default 0;
create domain NUM152 as numeric(15, 2) default 0;
create domain DATEONLY as date;
