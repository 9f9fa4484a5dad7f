MDBNAME db.mdb
TABLENAME T
DROP TABLE T;
CREATE TABLE T (code TEXT(7), name TEXT(10), n LONG, m MEMO(70000), d DECIMAL(10,2), c オートナンバー型);
INSERT INTO T_Version (VERSION, VLDATA)
 VALUES (1, '7.0'); -- a comment
UPDATE T SET name = 'x' WHERE code = '1';
