-- params: @GuildName @MasterName
-- Creates a guild with an empty mark and its master as member (status 128).
-- Answers one row (Result). 0 created, 1 guild name in use, 2 the master
-- already leads or belongs to a guild, 3 no such character, 4 empty name.
CREATE TEMP TABLE IF NOT EXISTS _qj_guildcreate (Result INTEGER);
DELETE FROM _qj_guildcreate;
INSERT INTO _qj_guildcreate (Result)
SELECT CASE
           WHEN trim(ifnull(:GuildName, '')) = '' OR trim(ifnull(:MasterName, '')) = '' THEN 4
           WHEN EXISTS (SELECT 1 FROM Guild WHERE G_Name = :GuildName) THEN 1
           WHEN NOT EXISTS (SELECT 1 FROM Character WHERE Name = :MasterName) THEN 3
           WHEN EXISTS (SELECT 1 FROM GuildMember WHERE Name = :MasterName)
             OR EXISTS (SELECT 1 FROM Guild WHERE G_Master = :MasterName) THEN 2
           ELSE 0
       END;
INSERT INTO Guild (G_Name, G_Mark, G_Score, G_Master, G_Count, G_Notice,
                   G_Type, G_Rival, G_Union)
SELECT :GuildName, X'0000000000000000000000000000000000000000000000000000000000000000', 0,
       (SELECT Name FROM Character WHERE Name = :MasterName), 1, '', 0, 0, 0
FROM _qj_guildcreate WHERE Result = 0;
INSERT INTO GuildMember (Name, G_Name, G_Level, G_Status)
SELECT (SELECT Name FROM Character WHERE Name = :MasterName), :GuildName, 1, 128
FROM _qj_guildcreate WHERE Result = 0;
SELECT Result FROM _qj_guildcreate;
