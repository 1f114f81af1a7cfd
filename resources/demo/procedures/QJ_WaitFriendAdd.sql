-- params: @Name @FriendName
-- Name asks FriendName to become friends: the request waits in the list
-- of FriendName until accepted or denied. Answers one row (Result).
-- 0 sent, 1 one of the two has no friend-system entry, 2 same character,
-- 3 already friends, 4 a request from Name is already waiting.
CREATE TEMP TABLE IF NOT EXISTS _qj_waitfriendadd (
    Result INTEGER, MyGuid INTEGER, MyName TEXT, FrGuid INTEGER, FrName TEXT);
DELETE FROM _qj_waitfriendadd;
INSERT INTO _qj_waitfriendadd (Result, MyGuid, MyName, FrGuid, FrName)
SELECT CASE
           WHEN me.GUID IS NULL OR fr.GUID IS NULL THEN 1
           WHEN me.GUID = fr.GUID THEN 2
           WHEN EXISTS (SELECT 1 FROM T_FriendList
                        WHERE GUID = me.GUID AND FriendGuid = fr.GUID AND Del = 0) THEN 3
           WHEN EXISTS (SELECT 1 FROM T_WaitFriend
                        WHERE GUID = fr.GUID AND FriendGuid = me.GUID) THEN 4
           ELSE 0
       END,
       me.GUID, meg.Name, fr.GUID, frg.Name
FROM (SELECT 1) AS one
LEFT JOIN T_CGuid AS meg ON meg.Name = :Name
LEFT JOIN T_FriendMain AS me ON me.GUID = meg.GUID
LEFT JOIN T_CGuid AS frg ON frg.Name = :FriendName
LEFT JOIN T_FriendMain AS fr ON fr.GUID = frg.GUID;
INSERT INTO T_WaitFriend (GUID, FriendGuid, FriendName)
SELECT FrGuid, MyGuid, MyName FROM _qj_waitfriendadd WHERE Result = 0;
SELECT Result FROM _qj_waitfriendadd;
