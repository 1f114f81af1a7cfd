-- Tanor demo server: ranking database.

-- Event (square) ranking: one row per character and square. Square is the
-- square number from 0; Class the character's class code.
CREATE TABLE EVENT_INFO (
    CharacterName TEXT    NOT NULL COLLATE NOCASE,
    AccountID     TEXT    NOT NULL COLLATE NOCASE,
    Square        INTEGER NOT NULL DEFAULT 0,
    Class         INTEGER NOT NULL DEFAULT 0,
    Point         INTEGER NOT NULL DEFAULT 0,
    PRIMARY KEY (CharacterName, Square)
);
