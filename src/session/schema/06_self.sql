-- The catalogue describes its own tables OBJ, FLD, DEP, TBL, CARD and
-- DETBOOK as objects, so that the configurator shows and edits them with
-- the grids and cards that serve the data tables.
--
-- Every object has one key field of type pk named after its table, every
-- non-virtual fk field is the child field of exactly one link. Columns
-- that refer to tables not described here (FLDTYPE_ID, FKRULE_ID,
-- UNIQFLD_ID, DEP_ID_AGR, FLD_ID_AGR) are described as integers.
-- Virtual fields (FLD_VIRT = 1) have no column: the record editors of
-- fields and links use them. OBJ_ID_V and FKRULE_ID_V pick a record of
-- another table, so they are of type fk, without a link of their own.
--
-- Field type codes: 1 pk, 2 string, 3 fk, 4 integer, 5 boolean.
-- Delete rule codes: 2 Cascade.

-- Objects.
insert into OBJ (OBJ_ID, OBJ_TABLE, OBJ_CAPT, OBJ_REF, OBJ_META, OBJ_SYS) values (1, 'OBJ', 'Объекты', 0, 1, 1);
insert into OBJ (OBJ_ID, OBJ_TABLE, OBJ_CAPT, OBJ_REF, OBJ_META, OBJ_SYS) values (2, 'FLD', 'Поля', 0, 1, 1);
insert into OBJ (OBJ_ID, OBJ_TABLE, OBJ_CAPT, OBJ_REF, OBJ_META, OBJ_SYS) values (3, 'DEP', 'Связи', 0, 1, 1);
insert into OBJ (OBJ_ID, OBJ_TABLE, OBJ_CAPT, OBJ_REF, OBJ_META, OBJ_SYS) values (4, 'TBL', 'Таблицы', 0, 1, 1);
insert into OBJ (OBJ_ID, OBJ_TABLE, OBJ_CAPT, OBJ_REF, OBJ_META, OBJ_SYS) values (5, 'CARD', 'Карточки', 0, 1, 1);
insert into OBJ (OBJ_ID, OBJ_TABLE, OBJ_CAPT, OBJ_REF, OBJ_META, OBJ_SYS) values (6, 'DETBOOK', 'Книги деталей', 0, 1, 1);

-- Fields of OBJ.
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (1, 1, 'OBJ_ID', 1, 0, 1, 'Код', '', 0, '', 0, 1);
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (2, 1, 'OBJ_TABLE', 2, 31, 1, 'Таблица', '', 0, '', 0, 1);
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (3, 1, 'OBJ_CAPT', 2, 100, 0, 'Наименование', '', 1, '', 0, 1);
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (4, 1, 'OBJ_REF', 5, 0, 1, 'Справочник', '', 0, '', 0, 1);
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (5, 1, 'OBJ_META', 5, 0, 1, 'Объект каталога', '', 0, '', 0, 1);
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (6, 1, 'OBJ_SYS', 5, 0, 1, 'Системный', '', 0, '', 0, 1);

-- Fields of FLD.
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (7, 2, 'FLD_ID', 1, 0, 1, 'Код', '', 0, '', 0, 1);
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (8, 2, 'OBJ_ID', 3, 0, 1, 'Объект', '', 0, '', 0, 1);
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (9, 2, 'FLD_FIELD', 2, 31, 1, 'Поле', '', 0, '', 0, 1);
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (10, 2, 'FLDTYPE_ID', 4, 0, 1, 'Тип', '', 0, '', 0, 1);
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (11, 2, 'FLD_SIZE', 4, 0, 1, 'Размер', '', 0, '', 0, 1);
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (12, 2, 'FLD_NOTNULL', 5, 0, 1, 'Обязательное', '', 0, '', 0, 1);
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (13, 2, 'FLD_CAPT', 2, 100, 0, 'Наименование', '', 1, '', 0, 1);
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (14, 2, 'UNIQFLD_ID', 4, 0, 0, 'Уникальный индекс', '', 0, '', 0, 1);
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (15, 2, 'FLD_DEF', 2, 255, 0, 'Значение по умолчанию', '', 0, '', 0, 1);
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (16, 2, 'FLD_MAIN', 5, 0, 1, 'Главное', '', 0, '', 0, 1);
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (17, 2, 'FLD_FORMULA', 2, 1000, 0, 'Формула', '', 0, '', 0, 1);
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (18, 2, 'DEP_ID_AGR', 4, 0, 0, 'Суммируемая связь', '', 0, '', 0, 1);
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (19, 2, 'FLD_ID_AGR', 4, 0, 0, 'Суммируемое поле', '', 0, '', 0, 1);
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (20, 2, 'FLD_VIRT', 5, 0, 1, 'Виртуальное', '', 0, '', 0, 1);
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (21, 2, 'FLD_SYS', 5, 0, 1, 'Системное', '', 0, '', 0, 1);
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (22, 2, 'OBJ_ID_V', 3, 0, 0, 'Ссылка на объект', '', 0, '', 1, 1);
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (23, 2, 'FKRULE_ID_V', 3, 0, 0, 'Правило удаления', '', 0, '', 1, 1);

-- Fields of DEP.
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (24, 3, 'DEP_ID', 1, 0, 1, 'Код', '', 0, '', 0, 1);
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (25, 3, 'FLD_ID_PAR', 3, 0, 1, 'Поле родителя', '', 0, '', 0, 1);
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (26, 3, 'FLD_ID_CHI', 3, 0, 1, 'Поле потомка', '', 0, '', 0, 1);
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (27, 3, 'DEP_MAIN', 5, 0, 1, 'Главная', '', 0, '', 0, 1);
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (28, 3, 'FKRULE_ID', 4, 0, 1, 'Правило удаления', '', 0, '', 0, 1);
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (29, 3, 'DEP_DET', 5, 0, 1, 'Детализация', '', 0, '', 0, 1);
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (30, 3, 'DEP_CAPT', 2, 100, 0, 'Наименование', '', 1, '', 0, 1);
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (31, 3, 'OBJ_ID_V', 3, 0, 0, 'Объект', '', 0, '', 1, 1);
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (32, 3, 'FLD_FIELD_V', 2, 31, 0, 'Поле', '', 0, '', 1, 1);
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (33, 3, 'FLD_CAPT_V', 2, 100, 0, 'Наименование поля', '', 0, '', 1, 1);
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (34, 3, 'FLD_NOTNULL_V', 5, 0, 1, 'Обязательное', '', 0, '', 1, 1);

-- Fields of TBL.
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (35, 4, 'TBL_ID', 1, 0, 1, 'Код', '', 0, '', 0, 1);
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (36, 4, 'OBJ_ID', 3, 0, 1, 'Объект', '', 0, '', 0, 1);
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (37, 4, 'DEP_ID', 3, 0, 0, 'Связь', '', 0, '', 0, 1);
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (38, 4, 'TBL_CAPT', 2, 100, 0, 'Наименование', '', 1, '', 0, 1);
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (39, 4, 'TBL_NAME', 2, 100, 0, 'Имя', '', 0, '', 0, 1);
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (40, 4, 'TBL_DEFAULT', 5, 0, 1, 'По умолчанию', '', 0, '', 0, 1);
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (41, 4, 'TBL_DEV', 5, 0, 1, 'Для разработчика', '', 0, '', 0, 1);

-- Fields of CARD.
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (42, 5, 'CARD_ID', 1, 0, 1, 'Код', '', 0, '', 0, 1);
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (43, 5, 'OBJ_ID', 3, 0, 1, 'Объект', '', 0, '', 0, 1);
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (44, 5, 'CARD_CAPT', 2, 100, 0, 'Наименование', '', 1, '', 0, 1);
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (45, 5, 'CARD_NAME', 2, 100, 0, 'Имя', '', 0, '', 0, 1);
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (46, 5, 'CARD_DEFAULT', 5, 0, 1, 'По умолчанию', '', 0, '', 0, 1);
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (47, 5, 'CARD_DEV', 5, 0, 1, 'Для разработчика', '', 0, '', 0, 1);
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (48, 5, 'CARD_WIDTH', 4, 0, 0, 'Ширина', '', 0, '', 0, 1);
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (49, 5, 'CARD_HEIGHTATR', 4, 0, 0, 'Высота реквизитов', '', 0, '', 0, 1);
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (50, 5, 'CARD_HEIGHTDET', 4, 0, 0, 'Высота деталей', '', 0, '', 0, 1);

-- Fields of DETBOOK.
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (51, 6, 'DETBOOK_ID', 1, 0, 1, 'Код', '', 0, '', 0, 1);
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (52, 6, 'OBJ_ID', 3, 0, 1, 'Объект', '', 0, '', 0, 1);
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (53, 6, 'DETBOOK_CAPT', 2, 100, 0, 'Наименование', '', 1, '', 0, 1);
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (54, 6, 'DETBOOK_NAME', 2, 100, 0, 'Имя', '', 0, '', 0, 1);
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (55, 6, 'DETBOOK_DEFAULT', 5, 0, 1, 'По умолчанию', '', 0, '', 0, 1);
insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)
  values (56, 6, 'DETBOOK_DEV', 5, 0, 1, 'Для разработчика', '', 0, '', 0, 1);

-- Links: the child's fk field refers to the parent's key field, delete
-- rule Cascade. The links by which fields, grids, cards and detail books
-- belong to their object are main links and may be shown as details.
insert into DEP (DEP_ID, FLD_ID_PAR, FLD_ID_CHI, DEP_MAIN, FKRULE_ID, DEP_DET, DEP_CAPT)
  values (1, 1, 8, 1, 2, 1, '');
insert into DEP (DEP_ID, FLD_ID_PAR, FLD_ID_CHI, DEP_MAIN, FKRULE_ID, DEP_DET, DEP_CAPT)
  values (2, 7, 25, 0, 2, 0, 'Связи (поле родителя)');
insert into DEP (DEP_ID, FLD_ID_PAR, FLD_ID_CHI, DEP_MAIN, FKRULE_ID, DEP_DET, DEP_CAPT)
  values (3, 7, 26, 0, 2, 0, 'Связи (поле потомка)');
insert into DEP (DEP_ID, FLD_ID_PAR, FLD_ID_CHI, DEP_MAIN, FKRULE_ID, DEP_DET, DEP_CAPT)
  values (4, 1, 36, 1, 2, 1, '');
insert into DEP (DEP_ID, FLD_ID_PAR, FLD_ID_CHI, DEP_MAIN, FKRULE_ID, DEP_DET, DEP_CAPT)
  values (5, 24, 37, 0, 2, 0, '');
insert into DEP (DEP_ID, FLD_ID_PAR, FLD_ID_CHI, DEP_MAIN, FKRULE_ID, DEP_DET, DEP_CAPT)
  values (6, 1, 43, 1, 2, 1, '');
insert into DEP (DEP_ID, FLD_ID_PAR, FLD_ID_CHI, DEP_MAIN, FKRULE_ID, DEP_DET, DEP_CAPT)
  values (7, 1, 52, 1, 2, 1, '');
