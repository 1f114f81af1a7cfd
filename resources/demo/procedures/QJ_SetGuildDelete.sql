-- params: @GuildName
-- Removes a guild and all its members. Answers one row (Result).
-- 0 removed, 1 no such guild.
CREATE TEMP TABLE IF NOT EXISTS _qj_guilddelete (Result INTEGER);
DELETE FROM _qj_guilddelete;
INSERT INTO _qj_guilddelete (Result)
SELECT CASE WHEN EXISTS (SELECT 1 FROM Guild WHERE G_Name = :GuildName) THEN 0 ELSE 1 END;
DELETE FROM GuildMember WHERE G_Name = :GuildName;
DELETE FROM Guild WHERE G_Name = :GuildName;
SELECT Result FROM _qj_guilddelete;
