// The test command's browser tests: the tool's batch builder exports the sample book and the same
// book in Russian, Japanese and Arabic (right to left) as web editions, and the sample as one
// page, and each is played in Chromium by run.js; a hostile book must export with its dangers
// removed, or be refused.
// Usage: node tests/webreader/editions.js BUILD_DIR
'use strict';
const assert = require('node:assert/strict');
const { execFileSync, spawnSync } = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');

const build = path.resolve(process.argv[2] || 'build/ci');
const builder = path.join(build, 'bin', 'quorelle-build');
const sample = path.join(__dirname, '..', '..', 'resources', 'sample');
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'quorelle web '));

// RTF of a text in any script: every character past ASCII as \uN with '?' for old readers.
function rtf(paragraphs, { lang = 1033, rtl = false } = {}) {
  const escape = (text) => [...text].map((c) => {
    const code = c.codePointAt(0);
    if (code < 128) return c.replace(/[\\{}]/g, (s) => '\\' + s);
    const units = code > 0xffff ? [...String.fromCodePoint(code)].map((u) => u.charCodeAt(0)) : [code];
    return String.fromCharCode(...units).split('').map((u) => {
      const n = u.charCodeAt(0);
      return `\\u${n > 32767 ? n - 65536 : n}?`;
    }).join('');
  }).join('');
  const body = paragraphs.map((p) => (rtl ? '\\pard\\rtlpar ' : '\\pard ') + p
    .map((run) => (typeof run === 'string' ? escape(run) : `{\\ul ${escape(run.phrase)}}`)).join('') + '\\par\n');
  return `{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs24\\lang${lang} ${body.join('')}}`;
}

// The sample with its first chapter in another language, the book declared in it, and the
// chapter's phrases those the sample defines.
function languageBook(name, tag, chapter) {
  const dir = path.join(work, name);
  fs.cpSync(sample, dir, { recursive: true });
  fs.writeFileSync(path.join(dir, 'DEPART.QLF'), chapter);
  fs.appendFileSync(path.join(dir, 'SAMPLE.QVR'),
    `[^LANGUAGE^]\r\nsource=BOOK\r\nlanguage=${tag}\r\n]\r\n\r\n`);
  return dir;
}

const books = {
  sample: fs.cpSync(sample, path.join(work, 'sample'), { recursive: true }) || path.join(work, 'sample'),
  russian: languageBook('russian', 'ru', rtf([
    ['Утром корабль вышел из гавани. Прочтите ', { phrase: 'note' }, ' и посмотрите на ', { phrase: 'sunrise' }, '.'],
    ['Море было серым и тихим.'],
  ], { lang: 1049 })),
  japanese: languageBook('japanese', 'ja', rtf([
    ['夜明けに船は港を出た。', { phrase: 'note' }, 'を読んでください。'],
    ['海は灰色で静かだった。'],
  ], { lang: 1041 })),
  arabic: languageBook('arabic', 'ar', rtf([
    ['غادرت السفينة الميناء عند الفجر. اقرأ ', { phrase: 'note' }, ' وانظر إلى ', { phrase: 'sunrise' }, '.'],
    ['كان البحر رماديا وهادئا.'],
  ], { lang: 1025, rtl: true })),
};

function exportWeb(dir) {
  const out = path.join(work, path.basename(dir) + '-web');
  execFileSync(builder, [path.join(dir, 'SAMPLE.QVJ'), '--web', out], { stdio: 'inherit' });
  return out;
}

// A hostile page of the book: its scripts, handlers, frames and outside pictures are gone from
// the edition, which then plays as any other. (Names leading out of the book's folder are the
// exporter's test's.)
function hostileBook() {
  const dir = path.join(work, 'hostile');
  fs.cpSync(sample, dir, { recursive: true });
  fs.writeFileSync(path.join(dir, 'PAGE.HTM'), '<html><body onload="steal()"><script>steal()</script>' +
    '<h1>Harbour</h1><p onclick="steal()">Quay <a href="javascript:steal()">x</a>' +
    '<img src="/etc/passwd" onerror="steal()"><iframe src="https://example.org/"></iframe></p></body></html>');
  const out = exportWeb(dir);
  const everything = fs.readdirSync(out, { recursive: true })
    .filter((f) => f === 'book.js' || /^chapters\/.+\.js$/.test(f))
    .map((f) => fs.readFileSync(path.join(out, f), 'utf8')).join('\n');
  for (const danger of ['steal', '<script', 'onerror', 'onclick', 'onload', '<iframe', '/etc/passwd']) {
    assert.ok(!everything.includes(danger), `the hostile page's ${danger} reached the edition`);
  }
  return out;
}

// The sample as one page: its films are their MP4 alone.
function singlePage(dir) {
  const out = path.join(work, path.basename(dir) + '-web.html');
  execFileSync(builder, [path.join(dir, 'SAMPLE.QVJ'), '--web-single', out], { stdio: 'inherit' });
  const page = fs.readFileSync(out, 'utf8');
  assert.ok(page.includes('data:video/mp4;base64,') && !page.includes('video/webm;base64'),
    'a page holds its films as MP4 alone');
  return out;
}

let failed = 0;
const editions = Object.entries(books).map(([name, dir]) => [name, exportWeb(dir)]);
editions.push(['hostile', hostileBook()], ['sample in one page', singlePage(books.sample)]);
for (const [name, edition] of editions) {
  // A browser that hangs fails the book rather than holding the test command.
  const played = spawnSync(process.execPath, [path.join(__dirname, 'run.js'), edition],
    { stdio: 'inherit', timeout: 10 * 60 * 1000 });
  if (played.status !== 0) {
    console.error(`web edition of the ${name} book: FAILED`);
    failed++;
  }
}
fs.rmSync(work, { recursive: true, force: true });
process.exit(failed ? 1 : 0);
