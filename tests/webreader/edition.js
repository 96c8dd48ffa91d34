// The edition under test: an exported folder or a book in one page (an .html file), and what
// its files say.
'use strict';
const assert = require('node:assert/strict');
const crypto = require('node:crypto');
const fs = require('node:fs');
const path = require('node:path');
const vm = require('node:vm');

function walk(dir, base = dir) {
  return fs.readdirSync(dir, { withFileTypes: true }).flatMap((entry) => {
    const full = path.join(dir, entry.name);
    if (entry.isDirectory()) return walk(full, base);
    return [path.relative(base, full).split(path.sep).join('/')];
  });
}

// files.js as the exporter writes it: every file, then the list itself and the folder's own
// address, and a version that changes with any byte.
function writeFileList(dir) {
  const files = walk(dir).filter((name) => name !== 'files.js').sort();
  const hash = crypto.createHash('sha256');
  for (const name of files) hash.update(name + '\0').update(fs.readFileSync(path.join(dir, name)));
  fs.writeFileSync(path.join(dir, 'files.js'),
    'self.QUORELLE_FILES = ' + JSON.stringify([...files, 'files.js', './']) + ';\n' +
    'self.QUORELLE_VERSION = "' + hash.digest('hex').slice(0, 16) + '";\n');
}

function prepare(target) {
  if (target.endsWith('.html')) {
    return { dir: path.dirname(target), page: path.basename(target), single: true };
  }
  assert.ok(fs.existsSync(path.join(target, 'reader.js')), target + ' is not a web edition');
  return { dir: target, page: 'index.html', single: false };
}

// The book's data, read as the page reads it: its own scripts, or those inside the one page.
function readBook({ dir, page, single }) {
  const found = { book: null, chapters: {} };
  const context = {
    QuorelleBook: (book) => { found.book = book; },
    QuorelleChapter: (number, chapter) => { found.chapters[number] = chapter; },
  };
  if (single) {
    const html = fs.readFileSync(path.join(dir, page), 'utf8');
    for (const [, script] of html.matchAll(/<script>([\s\S]*?)<\/script>/g)) {
      if (/^Quorelle(Book|Chapter)\(/.test(script)) vm.runInNewContext(script, context);
    }
    return found;
  }
  vm.runInNewContext(fs.readFileSync(path.join(dir, 'book.js'), 'utf8'), context);
  const count = found.book.contents ? found.book.contents.chapters.length : 1;
  for (let n = 1; n <= count; n++) {
    vm.runInNewContext(fs.readFileSync(path.join(dir, 'chapters', n + '.js'), 'utf8'), context);
  }
  return found;
}

// What files.js says: the files, and the edition's version.
function listedFiles(dir) {
  const context = { self: {} };
  vm.runInNewContext(fs.readFileSync(path.join(dir, 'files.js'), 'utf8'), context);
  // an array of this realm, for deepEqual
  return { files: [...context.self.QUORELLE_FILES], version: context.self.QUORELLE_VERSION };
}

module.exports = { listedFiles, prepare, readBook, writeFileList };
