-- The first user.
insert into USR (USR_ID, USR_LOGIN, USR_NAME) values (1, 'demouser', 'Демонстрационный пользователь');
