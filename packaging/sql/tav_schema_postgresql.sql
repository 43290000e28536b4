-- The office database of TAV for PostgreSQL (UTF8 database):  psql -d tav -f tav_schema_postgresql.sql
-- 名称マスタ: the name master. The menu reads the rows below (名称ＩＤ, 名称区分):
--   TAV_MENU/M0      the menu file, when the command line names none
--   VERSION/BA       the version shown in the window caption
--   MAIN_WIN_CAP/M3  replaces the system name of a "$" record of kind 1 (optional)
--   MAIN_LBL_CAP/M3  replaces the title of a "$" record of kind 3 (optional)
--   BK_KING/BK       the backup folder (%PARAM02 entries, the end-of-business reminder)
--   (any ID)/Mx      the buttons of an option menu "%OPT_MENU Mx": 名称ＩＤ the program,
--                    名称名称 the caption, 名称説明 the description (up to ten, by 名称ＩＤ)
CREATE TABLE 名称マスタ (
    名称ＩＤ VARCHAR(255) NOT NULL,
    名称区分 VARCHAR(255) NOT NULL,
    名称名称 VARCHAR(255),
    名称説明 VARCHAR(255),
    PRIMARY KEY (名称ＩＤ, 名称区分)
);
-- 自社情報: the company information; the menu shows メニューヘッダ of the row with アドレス 100.
CREATE TABLE 自社情報 (
    アドレス INTEGER NOT NULL PRIMARY KEY,
    メニューヘッダ VARCHAR(255),
    タイトル１行目 VARCHAR(255), 内容１行目 VARCHAR(255),
    タイトル２行目 VARCHAR(255), 内容２行目 VARCHAR(255),
    タイトル３行目 VARCHAR(255), 内容３行目 VARCHAR(255),
    タイトル４行目 VARCHAR(255), 内容４行目 VARCHAR(255),
    タイトル５行目 VARCHAR(255), 内容５行目 VARCHAR(255),
    タイトル６行目 VARCHAR(255), 内容６行目 VARCHAR(255),
    タイトル７行目 VARCHAR(255), 内容７行目 VARCHAR(255)
);
-- 顧客マスタ: a code table, read by the code look-up of the sample screen TAV_KOKY0100
-- (key 顧客コード, name 顧客名).
CREATE TABLE 顧客マスタ (
    顧客コード VARCHAR(6) NOT NULL PRIMARY KEY,
    顧客名 VARCHAR(40),
    顧客カナ VARCHAR(40),
    住所 VARCHAR(80),
    電話番号 VARCHAR(20),
    貸付残高 INTEGER,
    契約日 VARCHAR(8)
);

INSERT INTO 名称マスタ (名称ＩＤ, 名称区分, 名称名称, 名称説明) VALUES ('TAV_MENU', 'M0', 'TAV_MENU1.DAT', '');
INSERT INTO 名称マスタ (名称ＩＤ, 名称区分, 名称名称, 名称説明) VALUES ('VERSION', 'BA', 'Ver 1.0', '');
INSERT INTO 名称マスタ (名称ＩＤ, 名称区分, 名称名称, 名称説明) VALUES ('BK_KING', 'BK', '..\..\Backup', '');
-- The option menu "%OPT_MENU MA" of the shipped menu file.
INSERT INTO 名称マスタ (名称ＩＤ, 名称区分, 名称名称, 名称説明) VALUES ('TAV_OPT01', 'MA', '顧客一覧表', '顧客一覧');
INSERT INTO 名称マスタ (名称ＩＤ, 名称区分, 名称名称, 名称説明) VALUES ('TAV_OPT02', 'MA', '延滞者リスト', '延滞');
INSERT INTO 名称マスタ (名称ＩＤ, 名称区分, 名称名称, 名称説明) VALUES ('TAV_OPT03', 'MA', '利息計算', '利息');
INSERT INTO 自社情報 (アドレス, メニューヘッダ) VALUES (100, '株式会社マルヴネ　本店');
INSERT INTO 顧客マスタ VALUES ('000001', '山田　太郎', 'ﾔﾏﾀﾞ ﾀﾛｳ', '東京都新宿区西新宿１－１－１', '03-0000-0001', 500000, '20260401');
