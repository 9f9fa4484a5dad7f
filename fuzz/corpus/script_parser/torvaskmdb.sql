' The search database of Quillmere: one row per place, with the fields of the
' field set <Quillmere用>, whose names are the table's column names.
MDBNAME torvask.mdb
TABLENAME T_郵便番号

DROP TABLE T_郵便番号;
CREATE TABLE T_郵便番号 (
  地方自治体コード テキスト(5),
  新郵便番号 テキスト(8),
  都道府県名カタカナ テキスト(255),
  市区町村名カタカナ テキスト(255),
  町域名カタカナ テキスト(255),
  都道府県名漢字 テキスト(255),
  市区町村名漢字 テキスト(255),
  町域名漢字 テキスト(255),
  コメント漢字 メモ型(65535),
  コメントカナ メモ型(65535),
  会社名カタカナ テキスト(255),
  会社名漢字 テキスト(255)
);
CREATE INDEX IX_新郵便番号 ON T_郵便番号 (新郵便番号);
INSERT INTO T_Version (VERSION, REVISION, VLDATA, RLSDATE) VALUES (1, 0, '1.0.0', '2025-01-01');
