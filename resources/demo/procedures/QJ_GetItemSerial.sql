-- params:
-- Hands out the next item serial: ItemCount goes up by one and is answered
-- as (Result 0, ItemCount).
INSERT INTO GameServerInfo (Number, ItemCount)
SELECT 0, 0 WHERE NOT EXISTS (SELECT 1 FROM GameServerInfo);
UPDATE GameServerInfo SET ItemCount = ItemCount + 1;
SELECT 0 AS Result, ItemCount FROM GameServerInfo LIMIT 1;
