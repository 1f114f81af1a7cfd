-- params: @Name @FriendName
-- Name accepts FriendName: each goes into the friend list of the other
-- (a hidden entry is shown again) and the waiting requests between them are removed.
-- Answers one row (Result). 0 friends now, 1 one of the two has no
-- friend-system entry, 2 same character.
CREATE TEMP TABLE IF NOT EXISTS _qj_friendadd (
    Result INTEGER, MyGuid INTEGER, MyName TEXT, FrGuid INTEGER, FrName TEXT);
DELETE FROM _qj_friendadd;
INSERT INTO _qj_friendadd (Result, MyGuid, MyName, FrGuid, FrName)
SELECT CASE
           WHEN me.GUID IS NULL OR fr.GUID IS NULL THEN 1
           WHEN me.GUID = fr.GUID THEN 2
           ELSE 0
       END,
       me.GUID, meg.Name, fr.GUID, frg.Name
FROM (SELECT 1) AS one
LEFT JOIN T_CGuid AS meg ON meg.Name = :Name
LEFT JOIN T_FriendMain AS me ON me.GUID = meg.GUID
LEFT JOIN T_CGuid AS frg ON frg.Name = :FriendName
LEFT JOIN T_FriendMain AS fr ON fr.GUID = frg.GUID;
INSERT OR IGNORE INTO T_FriendList (GUID, FriendGuid, FriendName, Del)
SELECT MyGuid, FrGuid, FrName, 0 FROM _qj_friendadd WHERE Result = 0;
INSERT OR IGNORE INTO T_FriendList (GUID, FriendGuid, FriendName, Del)
SELECT FrGuid, MyGuid, MyName, 0 FROM _qj_friendadd WHERE Result = 0;
UPDATE T_FriendList SET Del = 0
WHERE EXISTS (SELECT 1 FROM _qj_friendadd AS f
              WHERE f.Result = 0
                AND ((T_FriendList.GUID = f.MyGuid AND T_FriendList.FriendGuid = f.FrGuid)
                  OR (T_FriendList.GUID = f.FrGuid AND T_FriendList.FriendGuid = f.MyGuid)));
DELETE FROM T_WaitFriend
WHERE EXISTS (SELECT 1 FROM _qj_friendadd AS f
              WHERE f.Result = 0
                AND ((T_WaitFriend.GUID = f.MyGuid AND T_WaitFriend.FriendGuid = f.FrGuid)
                  OR (T_WaitFriend.GUID = f.FrGuid AND T_WaitFriend.FriendGuid = f.MyGuid)));
SELECT Result FROM _qj_friendadd;
