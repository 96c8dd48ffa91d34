// Plays a web edition in Debian's Chromium as its reader would, from a file and over http.
// Usage: node tests/webreader/run.js [EDITION_DIR]   (default: the fixture, made whole)
'use strict';
const assert = require('node:assert/strict');
const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { pathToFileURL } = require('node:url');
const { after, before, describe, it } = require('node:test');

execFileSync(path.join(__dirname, 'install-deps'), { stdio: 'inherit' });
const { FIXTURE, listedFiles, prepare, readBook, writeFileList } = require('./edition');
const { PHONE, assertClean, checkAxe, launch, openBook, serve, shoot, until } = require('./harness');
const { Reader } = require('./reading');

const edition = prepare(path.resolve(process.argv[2] || FIXTURE));
const data = readBook(edition);
const { book, chapters } = data;
const fileUrl = pathToFileURL(edition).href + '/';
let browser;
let server;

// A page of its own browser context, so that no test sees another's storage or worker.
async function fresh(url, options) {
  const context = await browser.createBrowserContext();
  return Object.assign(await openBook(context, url, options), { context });
}

function firstLink(kind) {
  for (const [number, chapter] of Object.entries(chapters)) {
    for (const [key, action] of Object.entries(chapter.links)) {
      if (action.kind === kind) return { number: Number(number), key, action, selector: `a.phrase[data-link="${key}"]` };
    }
  }
  return null;
}

// Goes through the steps before the chapters and opens chapter number.
async function reach(reader, number) {
  if (book.needsTap) {
    await reader.untilTop((f) => f.name === book.title, 'the first screen');
    await reader.button(reader.words.openBook, 'Enter');
  }
  if (book.background.message) await reader.message(book.title, book.background.message);
  for (const step of book.steps) {
    if (step === 'contents') {
      await reader.untilTop((f) => f.name === book.contents.screen.caption, 'the contents');
      await until(reader.page, () => document.activeElement.getAttribute('role') === 'listbox', null, 'the list');
      await reader.page.keyboard.press('Home');
      for (let k = 1; k < number; k++) await reader.page.keyboard.press('ArrowDown');
      await reader.page.keyboard.press('Enter');
    }
    if (step === 'contents' || step === 'chapter') {
      return reader.untilTop((f) => f.name === chapters[number].screen.caption, 'chapter ' + number);
    }
    await reader.step(step);
  }
  throw new Error('the book has no chapter step');
}

const textWindow = '#quorelle .q-box > :last-child [role=region]';

before(async () => {
  browser = await launch();
  server = await serve(edition);
});

after(async () => {
  await browser.close();
  await server.stop();
});

describe('the web edition', () => {
  it('plays every step, chapter and phrase by keyboard from a file, accessible on each screen', async () => {
    const { page, log, context } = await fresh(fileUrl);
    const reader = new Reader(page, data, { axe: true });
    await reader.readBook(async (number, chapter) => {
      await shoot(page, 'desktop-chapter-' + number);
      await reader.phrases(number, chapter);
    });
    await shoot(page, 'desktop-end');
    await reader.button(reader.words.openAgain, 'Enter');
    await reader.untilTop((f) => f.name !== reader.words.closed, 'the book again');
    assertClean(log);
    await context.close();
  });

  it('plays every step, chapter and phrase by mouse over http', async () => {
    const { page, log, context } = await fresh(server.url, { viewport: { width: 800, height: 600 } });
    const reader = new Reader(page, data, { mouse: true });
    await reader.readBook((number, chapter) => reader.phrases(number, chapter));
    assertClean(log);
    await context.close();
  });

  it('scales the design screen whole to the window, at most twice, centred', async () => {
    const { page, log, context } = await fresh(fileUrl);
    for (const [width, height] of [[800, 600], [1280, 700], [2400, 1600], [640, 480]]) {
      await page.setViewport({ width, height });
      const scale = Math.min(width / 640, height / 480, 2);
      const want = [(width - 640 * scale) / 2, (height - 480 * scale) / 2, 640 * scale, 480 * scale];
      await until(page, (w) => {
        const r = document.querySelector('#quorelle .q-box').getBoundingClientRect();
        return [r.left, r.top, r.width, r.height].every((v, i) => Math.abs(v - w[i]) < 1);
      }, want, `the box at ${want} in ${width} x ${height}`);
    }
    assertClean(log);
    await context.close();
  });

  it('finds text in any letter case, prints the text alone, and answers its Alt keys', async () => {
    const { page, log, context } = await fresh(fileUrl);
    const reader = new Reader(page, data);
    await reach(reader, 1);
    const text = chapters[1].screen.text;
    const words = text.html.replace(/<[^>]*>/g, ' ').match(/\p{L}{5,}/gu);
    const word = words[words.length - 1];
    const flipped = word === word.toLowerCase() ? word.toUpperCase() : word.toLowerCase();
    const escaped = word.replace(/[.*+?^${}()|[\]\\]/g, '\\$&');
    const count = text.html.replace(/<[^>]*>/g, '').match(new RegExp(escaped, 'giu')).length;

    await reader.button(book.captions.find);
    await reader.untilTop((f) => f.name === reader.words.findTitle && f.modal === 'false', 'the Find window');
    await page.keyboard.type(flipped);
    for (let found = 1; found <= count; found++) {
      await page.keyboard.press('Enter');
      await until(page, ([w, n, selector]) => {
        const selection = getSelection();
        if (selection.toString().toLowerCase() !== w.toLowerCase()) return false;
        const frame = document.querySelector(selector).getBoundingClientRect();
        const at = selection.getRangeAt(0).getBoundingClientRect();
        return window.foundCount !== n && at.top >= frame.top && at.bottom <= frame.bottom &&
          (window.foundCount = n);
      }, [word, found, '#quorelle .q-text'], `"${flipped}" found (${found} of ${count}) in sight`);
    }
    await page.keyboard.press('Enter');
    await reader.message(reader.words.findTitle, reader.words.notFound);
    await page.keyboard.press('Escape');
    await reader.untilTop((f) => f.name === chapters[1].screen.caption, 'the chapter after Find');

    await reader.button(book.captions.print);
    const printed = await until(page, () => window.quorelleTest.printed[0], null, 'a print');
    assert.ok(printed.replace(/\s+/g, '').includes(text.html.replace(/<[^>]*>/g, '').replace(/\s+/g, '').slice(0, 200)));
    await page.emulateMediaType('print');
    const shown = await page.evaluate(() => [getComputedStyle(document.getElementById('quorelle')).display,
      getComputedStyle(document.getElementById('q-print')).display]);
    assert.deepEqual(shown, ['none', 'block'], 'print shows the text alone');
    await page.emulateMediaType('screen');

    if (book.about) {
      await reader.button(book.captions.about);
      await reader.untilTop((f) => f.name === book.about.caption, 'the about box by its Alt key');
      await page.keyboard.press('Escape');
    }
    if (book.help) {
      await reader.button(book.captions.help);
      await until(page, (help) => window.quorelleTest.opened.some((a) => a[0] === help), book.help, 'the help page');
    }
    await reader.button(book.captions.close);
    await reader.untilTop((f) => f.name !== chapters[1].screen.caption, 'Alt closes the chapter');
    assertClean(log);
    await context.close();
  });

  it('keeps the notepad text after a reload and saves it as its file', async (t) => {
    const link = firstLink('notepad');
    if (!link) return t.skip('the book has no notepad');
    const { page, log, context } = await fresh(fileUrl);
    const downloads = fs.mkdtempSync(path.join(os.tmpdir(), 'quorelle-downloads-'));
    const session = await page.createCDPSession();
    await session.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads, browserContextId: context.id });
    const reader = new Reader(page, data);
    const typed = ' Seen from the quay ' + Date.now();
    for (const round of [1, 2]) {
      if (round === 2) await page.reload();
      await reach(reader, link.number);
      await reader.activate(link.selector);
      await reader.untilTop((f) => f.name === link.action.notepad.file, 'the notepad');
      const value = await page.evaluate(() => document.querySelector('#quorelle textarea').value);
      if (round === 1) await page.keyboard.type(typed);
      else assert.ok(value.endsWith(typed), 'the typed text after a reload: ' + value);
    }
    await reader.button(reader.words.save);
    const file = path.join(downloads, link.action.notepad.file);
    const end = Date.now() + 5000;
    while (!fs.existsSync(file) && Date.now() < end) await new Promise((r) => setTimeout(r, 25));
    assert.ok(fs.readFileSync(file, 'utf8').endsWith(typed), 'the saved file');
    assertClean(log);
    await context.close();
  });

  it('opens offline after a first visit over http, and a new edition replaces the old cache', async () => {
    const copy = fs.mkdtempSync(path.join(os.tmpdir(), 'quorelle-offline-'));
    fs.cpSync(edition, copy, { recursive: true });
    let site = await serve(copy);
    const { page, log, context } = await fresh(site.url, { intercept: false });
    await until(page, () => navigator.serviceWorker.controller !== null, null, 'the worker in control', 15000);
    const cached = () => page.evaluate(async () => {
      const names = (await caches.keys()).filter((key) => key.startsWith('quorelle '));
      const cache = await caches.open(names[0]);
      return { names, urls: (await cache.keys()).map((r) => r.url) };
    });
    const first = await cached();
    assert.equal(first.names.length, 1);
    assert.deepEqual(first.urls.sort(), listedFiles(copy).map((file) => site.url + file).sort(), 'every file cached');

    await site.stop();
    await page.reload();
    const reader = new Reader(page, data);
    await reach(reader, 1);
    const picture = firstLink('show');
    if (picture && picture.number === 1) {
      await reader.check(picture.action, picture.selector); // its media from the cache
    }

    fs.appendFileSync(path.join(copy, 'chapters', '1.js'), '\n// the next edition\n');
    writeFileList(copy);
    site = await serve(copy, site.port);
    await page.evaluate(() => navigator.serviceWorker.getRegistration().then((r) => r.update()));
    await until(page, async () => {
      const names = (await caches.keys()).filter((key) => key.startsWith('quorelle '));
      return names.length === 1 && (await fetch('files.js').then((r) => r.text())).includes(names[0].split(' ').pop());
    }, null, 'the new edition alone in the cache', 15000);
    await site.stop();
    const served = await page.evaluate(() => fetch('chapters/1.js').then((r) => r.text()));
    assert.ok(served.includes('the next edition'), 'the new edition served offline');
    assertClean(log);
    await context.close();
  });

  it('reflows on a phone: a column, text of 16px at least, no sideways scroll', async () => {
    const { page, log, context } = await fresh(fileUrl, { viewport: PHONE });
    const reader = new Reader(page, data, { phone: true, axe: true });
    const measure = (selector) => page.evaluate((s) => {
      const text = document.querySelector(s);
      let smallest = Infinity;
      const walker = document.createTreeWalker(text, NodeFilter.SHOW_TEXT);
      for (let n = walker.nextNode(); n; n = walker.nextNode()) {
        if (n.data.trim()) smallest = Math.min(smallest, parseFloat(getComputedStyle(n.parentElement).fontSize));
      }
      const r = text.getBoundingClientRect();
      const page = document.documentElement;
      return { smallest, left: r.left, width: r.width, sideways: page.scrollWidth > page.clientWidth ||
        text.scrollWidth > text.clientWidth, viewport: page.clientWidth };
    }, selector);
    await reader.readBook(async (number, chapter) => {
      const m = await measure(textWindow);
      assert.ok(m.smallest >= 16, `chapter ${number}: text of ${m.smallest}px`);
      assert.ok(!m.sideways, `chapter ${number} scrolls sideways`);
      assert.ok(m.left <= 1 && m.width >= m.viewport - 1, `chapter ${number}: the text fills the width`);
      await shoot(page, 'phone-chapter-' + number);
      const popup = Object.entries(chapter.links).find(([, a]) => a.kind === 'popup');
      if (!popup) return;
      await reader.activate(`a.phrase[data-link="${popup[0]}"]`);
      const f = await reader.untilTop((t) => t.name === popup[1].caption, 'a pop-up on a phone');
      assert.ok(f.rect.left >= 0 && f.rect.left + f.rect.width <= m.viewport, 'the pop-up fits the phone');
      assert.ok((await measure('#quorelle .q-box > :last-child .q-rich')).smallest >= 16, 'pop-up text size');
      await shoot(page, 'phone-popup-' + number);
      await page.keyboard.press('Escape');
      await reader.untilTop((t) => t.name === chapter.screen.caption, 'the chapter again');
    });
    assertClean(log);
    await context.close();
  });

  it('opens a one-chapter book at its chapter, after its background message, and again from the end', async () => {
    const change = {
      steps: ['chapter'], needsTap: false,
      background: Object.assign({}, book.background, { tiles: false, message: 'Mind the tide.' }),
    };
    const { page, log, context } = await fresh(fileUrl, {
      before: (p) => p.evaluateOnNewDocument((c) => {
        Object.defineProperty(window, 'QuorelleBook', {
          configurable: true,
          set(play) {
            Object.defineProperty(window, 'QuorelleBook', { value: (b) => play(Object.assign(b, c)) });
          },
        });
      }, change),
    });
    const reader = new Reader(page, { book: Object.assign({}, book, change), chapters });
    await reader.readBook();
    if (book.background.picture) {
      const size = await page.evaluate(() => getComputedStyle(document.querySelector('#quorelle .q-backdrop')).backgroundSize);
      assert.equal(size, '100% 100%', 'a stretched program background');
    }
    await reader.button(reader.words.openAgain, 'Enter');
    await reader.untilTop((f) => f.name === chapters[1].screen.caption, 'the chapter again');
    await checkAxe(page, 'the one-chapter book');
    assertClean(log);
    await context.close();
  });
});
