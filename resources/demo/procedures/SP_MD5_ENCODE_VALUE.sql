-- params: @btInStr @btInStrIndex
-- Stores the password hash of account btInStrIndex in memb__pwd. SQLite
-- has no MD5, so the demo server uses its own 64-bit stand-in: two FNV-1a
-- lanes over the code points of account, a colon and password, the first lane
-- read forwards from offset 2166136261, the second backwards from offset
-- 3735928559 (both with prime 16777619, modulo 2^32), written as 0x and
-- 16 upper-case hexadecimal digits. Answers one row (Result).
-- 0 stored, 1 no such account.
CREATE TEMP TABLE IF NOT EXISTS _sp_md5 (Result INTEGER);
DELETE FROM _sp_md5;
INSERT INTO _sp_md5 (Result)
SELECT CASE WHEN EXISTS (SELECT 1 FROM MEMB_INFO WHERE memb___id = :btInStrIndex)
            THEN 0 ELSE 1 END;
UPDATE MEMB_INFO
SET memb__pwd = (
    WITH RECURSIVE
        src(s) AS (
            SELECT ifnull(CAST(:btInStrIndex AS TEXT), '') || ':' || ifnull(CAST(:btInStr AS TEXT), '')),
        lane(i, a, b) AS (
            SELECT 1, 2166136261, 3735928559
            UNION ALL
            SELECT i + 1,
                   (((a | unicode(substr(s, i, 1))) - (a & unicode(substr(s, i, 1)))) * 16777619) % 4294967296,
                   (((b | unicode(substr(s, -i, 1))) - (b & unicode(substr(s, -i, 1)))) * 16777619) % 4294967296
            FROM lane, src
            WHERE i <= length(s))
    SELECT '0x' || printf('%08X%08X', a, b) FROM lane ORDER BY i DESC LIMIT 1)
WHERE memb___id = :btInStrIndex;
SELECT Result FROM _sp_md5;
