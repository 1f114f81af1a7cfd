-- params: @Name @MemoIndex
-- Deletes letter MemoIndex from the mailbox of Name and recounts MemoTotal.
-- MemoCount (the last letter number handed out) is kept. Answers one row
-- (Result). 0 deleted, 1 no such letter.
CREATE TEMP TABLE IF NOT EXISTS _qj_delmail (Result INTEGER, MyGuid INTEGER);
DELETE FROM _qj_delmail;
INSERT INTO _qj_delmail (Result, MyGuid)
SELECT CASE
           WHEN EXISTS (SELECT 1 FROM T_FriendMail
                        WHERE GUID = me.GUID AND MemoIndex = :MemoIndex) THEN 0
           ELSE 1
       END,
       me.GUID
FROM (SELECT 1) AS one
LEFT JOIN T_CGuid AS meg ON meg.Name = :Name
LEFT JOIN T_FriendMain AS me ON me.GUID = meg.GUID;
DELETE FROM T_FriendMail
WHERE GUID = (SELECT MyGuid FROM _qj_delmail) AND MemoIndex = :MemoIndex;
UPDATE T_FriendMain
SET MemoTotal = (SELECT count(*) FROM T_FriendMail WHERE T_FriendMail.GUID = T_FriendMain.GUID)
WHERE GUID = (SELECT MyGuid FROM _qj_delmail);
SELECT Result FROM _qj_delmail;
