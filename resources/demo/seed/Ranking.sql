-- Tanor demo server: seed data of the ranking database.

INSERT INTO EVENT_INFO (CharacterName, AccountID, Square, Class, Point) VALUES ('Brann', 'marlow', 0, 17, 2131);
INSERT INTO EVENT_INFO (CharacterName, AccountID, Square, Class, Point) VALUES ('Brann', 'marlow', 6, 17, 7143);
INSERT INTO EVENT_INFO (CharacterName, AccountID, Square, Class, Point) VALUES ('Isa', 'isolde', 1, 1, 6119);
INSERT INTO EVENT_INFO (CharacterName, AccountID, Square, Class, Point) VALUES ('Nightjar', 'vesper', 0, 33, 2847);
INSERT INTO EVENT_INFO (CharacterName, AccountID, Square, Class, Point) VALUES ('Fenwick', 'fennick', 5, 17, 479);
INSERT INTO EVENT_INFO (CharacterName, AccountID, Square, Class, Point) VALUES ('Kaelin', 'kestrel', 1, 16, 8933);
INSERT INTO EVENT_INFO (CharacterName, AccountID, Square, Class, Point) VALUES ('Thornback', 'bramble', 0, 64, 6141);
INSERT INTO EVENT_INFO (CharacterName, AccountID, Square, Class, Point) VALUES ('Thornback', 'bramble', 5, 64, 8586);
INSERT INTO EVENT_INFO (CharacterName, AccountID, Square, Class, Point) VALUES ('Corvus', 'corvin', 1, 48, 4660);
INSERT INTO EVENT_INFO (CharacterName, AccountID, Square, Class, Point) VALUES ('Corvus', 'corvin', 6, 48, 4681);
INSERT INTO EVENT_INFO (CharacterName, AccountID, Square, Class, Point) VALUES ('Tamsy', 'tamsin', 3, 1, 2779);
INSERT INTO EVENT_INFO (CharacterName, AccountID, Square, Class, Point) VALUES ('Tamsy', 'tamsin', 5, 1, 2600);
INSERT INTO EVENT_INFO (CharacterName, AccountID, Square, Class, Point) VALUES ('Juno', 'juniper', 6, 32, 2589);
INSERT INTO EVENT_INFO (CharacterName, AccountID, Square, Class, Point) VALUES ('Delph', 'delphine', 0, 64, 2378);
INSERT INTO EVENT_INFO (CharacterName, AccountID, Square, Class, Point) VALUES ('Delph', 'delphine', 1, 64, 4314);
INSERT INTO EVENT_INFO (CharacterName, AccountID, Square, Class, Point) VALUES ('Fionn', 'o''brien', 2, 0, 9583);
INSERT INTO EVENT_INFO (CharacterName, AccountID, Square, Class, Point) VALUES ('Fionn', 'o''brien', 6, 0, 4922);
INSERT INTO EVENT_INFO (CharacterName, AccountID, Square, Class, Point) VALUES ('Magpie', 'corvin', 2, 16, 7279);
INSERT INTO EVENT_INFO (CharacterName, AccountID, Square, Class, Point) VALUES ('Ottilie', 'marlow', 4, 33, 8550);
INSERT INTO EVENT_INFO (CharacterName, AccountID, Square, Class, Point) VALUES ('Ottilie', 'marlow', 6, 33, 5436);
INSERT INTO EVENT_INFO (CharacterName, AccountID, Square, Class, Point) VALUES ('Isamoor', 'isolde', 2, 17, 1086);
INSERT INTO EVENT_INFO (CharacterName, AccountID, Square, Class, Point) VALUES ('Isamoor', 'isolde', 3, 17, 2614);
INSERT INTO EVENT_INFO (CharacterName, AccountID, Square, Class, Point) VALUES ('Briar', 'bramble', 1, 16, 7445);
INSERT INTO EVENT_INFO (CharacterName, AccountID, Square, Class, Point) VALUES ('Briar', 'bramble', 6, 16, 8104);
