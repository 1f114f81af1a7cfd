-- params: @AccountID @Name @ChangeAccountID @IsOriginalAccountID
-- Moves a character from one account to another. Answers one row whose
-- first column is the result code
--   0 moved
--   1 one of the two accounts is connected
--   2 an account or the character does not exist, or the character does
--     not belong to the original account
--   3 the two accounts are the same
--   4 the character was moved three times already (CharacterMoves)
--   5 the character is not in a slot of the original account
--   6 the new account has no free character slot
--   10 the character belongs to a guild
-- IsOriginalAccountID is accepted and not used.
CREATE TEMP TABLE IF NOT EXISTS _qj_move (Result INTEGER, Slot INTEGER);
DELETE FROM _qj_move;
INSERT INTO _qj_move (Result, Slot)
SELECT CASE
           WHEN NOT EXISTS (SELECT 1 FROM MEMB_INFO WHERE memb___id = :AccountID)
             OR NOT EXISTS (SELECT 1 FROM MEMB_INFO WHERE memb___id = :ChangeAccountID)
             OR NOT EXISTS (SELECT 1 FROM Character
                            WHERE Name = :Name AND AccountID = :AccountID) THEN 2
           WHEN EXISTS (SELECT 1 FROM MEMB_STAT
                        WHERE memb___id IN (:AccountID, :ChangeAccountID)
                          AND ConnectStat = 1) THEN 1
           WHEN :AccountID = :ChangeAccountID COLLATE NOCASE THEN 3
           WHEN ifnull((SELECT Moves FROM CharacterMoves WHERE Name = :Name), 0) >= 3 THEN 4
           WHEN NOT EXISTS (SELECT 1 FROM AccountCharacter
                            WHERE Id = :AccountID
                              AND :Name COLLATE NOCASE IN (GameID1, GameID2, GameID3,
                                                           GameID4, GameID5)) THEN 5
           WHEN EXISTS (SELECT 1 FROM GuildMember WHERE Name = :Name) THEN 10
           WHEN t.Slot = 0 THEN 6
           ELSE 0
       END,
       t.Slot
FROM (SELECT CASE
                   WHEN ac.Id IS NULL THEN 1
                   WHEN ifnull(ac.GameID1, '') = '' THEN 1
                   WHEN ifnull(ac.GameID2, '') = '' THEN 2
                   WHEN ifnull(ac.GameID3, '') = '' THEN 3
                   WHEN ifnull(ac.GameID4, '') = '' THEN 4
                   WHEN ifnull(ac.GameID5, '') = '' THEN 5
                   ELSE 0
               END AS Slot
      FROM (SELECT 1) AS one
      LEFT JOIN AccountCharacter AS ac ON ac.Id = :ChangeAccountID) AS t;
UPDATE AccountCharacter
SET GameID1 = CASE WHEN GameID1 = :Name THEN NULL ELSE GameID1 END,
    GameID2 = CASE WHEN GameID2 = :Name THEN NULL ELSE GameID2 END,
    GameID3 = CASE WHEN GameID3 = :Name THEN NULL ELSE GameID3 END,
    GameID4 = CASE WHEN GameID4 = :Name THEN NULL ELSE GameID4 END,
    GameID5 = CASE WHEN GameID5 = :Name THEN NULL ELSE GameID5 END,
    GameIDC = CASE WHEN GameIDC = :Name THEN NULL ELSE GameIDC END
WHERE Id = :AccountID AND (SELECT Result FROM _qj_move) = 0;
INSERT INTO AccountCharacter (Id)
SELECT memb___id FROM MEMB_INFO
WHERE memb___id = :ChangeAccountID
  AND (SELECT Result FROM _qj_move) = 0
  AND NOT EXISTS (SELECT 1 FROM AccountCharacter WHERE Id = :ChangeAccountID);
UPDATE AccountCharacter
SET GameID1 = CASE WHEN (SELECT Slot FROM _qj_move) = 1
                   THEN (SELECT Name FROM Character WHERE Name = :Name) ELSE GameID1 END,
    GameID2 = CASE WHEN (SELECT Slot FROM _qj_move) = 2
                   THEN (SELECT Name FROM Character WHERE Name = :Name) ELSE GameID2 END,
    GameID3 = CASE WHEN (SELECT Slot FROM _qj_move) = 3
                   THEN (SELECT Name FROM Character WHERE Name = :Name) ELSE GameID3 END,
    GameID4 = CASE WHEN (SELECT Slot FROM _qj_move) = 4
                   THEN (SELECT Name FROM Character WHERE Name = :Name) ELSE GameID4 END,
    GameID5 = CASE WHEN (SELECT Slot FROM _qj_move) = 5
                   THEN (SELECT Name FROM Character WHERE Name = :Name) ELSE GameID5 END
WHERE Id = :ChangeAccountID AND (SELECT Result FROM _qj_move) = 0;
UPDATE Character
SET AccountID = (SELECT memb___id FROM MEMB_INFO WHERE memb___id = :ChangeAccountID)
WHERE Name = :Name AND (SELECT Result FROM _qj_move) = 0;
INSERT OR IGNORE INTO CharacterMoves (Name, Moves)
SELECT :Name, 0 FROM _qj_move WHERE Result = 0;
UPDATE CharacterMoves SET Moves = Moves + 1
WHERE Name = :Name AND (SELECT Result FROM _qj_move) = 0;
SELECT Result FROM _qj_move;
