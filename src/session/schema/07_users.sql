-- The first user, so that a new database can be logged into.
insert into USR (USR_ID, USR_LOGIN, USR_NAME) values (1, 'demouser', 'Демонстрационный пользователь');
