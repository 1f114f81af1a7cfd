-- params: @Name @FriendName
-- Ends the friendship of Name and FriendName: each leaves the list of the other.
-- Answers one row (Result). 0 removed, 1 they were not friends.
CREATE TEMP TABLE IF NOT EXISTS _qj_frienddel (Result INTEGER, MyGuid INTEGER, FrGuid INTEGER);
DELETE FROM _qj_frienddel;
INSERT INTO _qj_frienddel (Result, MyGuid, FrGuid)
SELECT CASE
           WHEN EXISTS (SELECT 1 FROM T_FriendList
                        WHERE GUID = me.GUID AND FriendName = :FriendName) THEN 0
           ELSE 1
       END,
       me.GUID, fr.GUID
FROM (SELECT 1) AS one
LEFT JOIN T_CGuid AS meg ON meg.Name = :Name
LEFT JOIN T_FriendMain AS me ON me.GUID = meg.GUID
LEFT JOIN T_CGuid AS frg ON frg.Name = :FriendName
LEFT JOIN T_FriendMain AS fr ON fr.GUID = frg.GUID;
DELETE FROM T_FriendList
WHERE GUID = (SELECT MyGuid FROM _qj_frienddel) AND FriendName = :FriendName;
DELETE FROM T_FriendList
WHERE GUID = (SELECT FrGuid FROM _qj_frienddel) AND FriendName = :Name;
SELECT Result FROM _qj_frienddel;
