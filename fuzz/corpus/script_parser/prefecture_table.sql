' The prefecture table of the search database: code, name and reading.
MDBNAME torvask.mdb
TABLENAME T_県

DROP TABLE T_県;
CREATE TABLE T_県 (
  県コード テキスト(2),
  県名 テキスト(10),
  県名カナ テキスト(20)
);
CREATE INDEX IX_県コード ON T_県 (県コード);
