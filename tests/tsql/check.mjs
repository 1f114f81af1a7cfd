// Parses every statement text in a journal file (one JSON string per line)
// with node-sql-parser in its TransactSQL mode: the texts the editor sends
// to a server must be T-SQL a server takes. A batch is several statements
// separated by ";". The parser lacks the "db..table" form (the default
// schema), so it reads such names as "db.dbo.table".
//
//   node check.mjs <journal> [node_modules folder]
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import path from 'node:path';

const [journal, modules] = process.argv.slice(2);
const require = createRequire(path.join(path.resolve(modules ?? '.'), 'node_modules', 'x.js'));
const { Parser } = require('node-sql-parser');
const parser = new Parser();

const texts = new Set(
  readFileSync(journal, 'utf8')
    .split('\n')
    .filter((line) => line.trim() !== '')
    .map((line) => JSON.parse(line)),
);

const withDefaultSchema = (text) => text.replace(/\b([A-Za-z_][A-Za-z0-9_]*)\.\.([A-Za-z_\[])/g, '$1.dbo.$2');

let failed = 0;
for (const text of texts) {
  try {
    parser.astify(withDefaultSchema(text), { database: 'TransactSQL' });
  } catch (e) {
    ++failed;
    console.log(`NOT T-SQL: ${JSON.stringify(text.slice(0, 300))}\n  ${String(e.message).split('\n')[0]}`);
  }
}
console.log(`${texts.size} distinct statement texts, ${failed} not parsed`);
// An empty journal proves nothing.
process.exit(texts.size === 0 || failed > 0 ? 1 : 0);
