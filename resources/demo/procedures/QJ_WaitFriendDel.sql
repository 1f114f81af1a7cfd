-- params: @Name @FriendName
-- Name denies the request that FriendName sent. Answers one row (Result).
-- 0 removed, 1 no such request.
CREATE TEMP TABLE IF NOT EXISTS _qj_waitfrienddel (Result INTEGER, MyGuid INTEGER);
DELETE FROM _qj_waitfrienddel;
INSERT INTO _qj_waitfrienddel (Result, MyGuid)
SELECT CASE
           WHEN EXISTS (SELECT 1 FROM T_WaitFriend
                        WHERE GUID = me.GUID AND FriendName = :FriendName) THEN 0
           ELSE 1
       END,
       me.GUID
FROM (SELECT 1) AS one
LEFT JOIN T_CGuid AS meg ON meg.Name = :Name
LEFT JOIN T_FriendMain AS me ON me.GUID = meg.GUID;
DELETE FROM T_WaitFriend
WHERE GUID = (SELECT MyGuid FROM _qj_waitfrienddel) AND FriendName = :FriendName;
SELECT Result FROM _qj_waitfrienddel;
