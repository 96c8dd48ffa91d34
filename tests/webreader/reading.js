// A reader going through the book, by keyboard or by mouse, led by the book's own data: every
// step, every chapter, every phrase, with a check of what each one shows.
'use strict';
const assert = require('node:assert/strict');
const { checkAxe, until } = require('./harness');

// The page's words where the book gives none, as the reader sees them.
const WORDS = {
  ok: 'OK', yes: 'Yes', no: 'No', play: 'Play', pause: 'Pause', stop: 'Stop', save: 'Save',
  openBook: 'Open the book', closed: 'The book is closed.', openAgain: 'Open it again',
  findTitle: 'Find', notFound: 'The text was not found.',
};

// The layer on top: the design box's last child.
const TOP = '#quorelle .q-box > :last-child';

const plain = (caption) => (caption || '').replace(/&(.)/g, '$1');
const squash = (text) => text.replace(/\s+/g, '');
const ENTITIES = { amp: '&', lt: '<', gt: '>', quot: '"', apos: "'", nbsp: ' ' };
const character = (_, e) => (e[0] === '#'
  ? String.fromCodePoint(parseInt(e.slice(1).replace(/^x/i, '0x'))) : ENTITIES[e] || '');
const textOf = (html) =>
  squash(html.replace(/<[^>]*>/g, '').replace(/&(#x?[0-9a-f]+|\w+);/gi, character));
const phraseOf = (key) => `a.phrase[data-link=${JSON.stringify(key)}]`;

// Facts about the layer on top, read in the page. Each layer gets a mark, so that a test can
// wait for that very one to go.
function topFacts() {
  const layers = [...document.querySelectorAll('#quorelle .q-box > *')];
  const top = layers[layers.length - 1];
  if (!top) return null;
  if (!top.dataset.testMark) {
    window.testMarks = (window.testMarks || 0) + 1;
    top.dataset.testMark = window.testMarks;
  }
  const labelId = top.getAttribute('aria-labelledby');
  const rect = top.getBoundingClientRect();
  const box = document.querySelector('#quorelle .q-box').getBoundingClientRect();
  return {
    role: top.getAttribute('role') || top.tagName.toLowerCase(),
    modal: top.getAttribute('aria-modal'),
    name: labelId ? document.getElementById(labelId).textContent : top.getAttribute('aria-label'),
    text: top.innerText,
    mark: top.dataset.testMark,
    focusInside: top.contains(document.activeElement),
    // Screens may share a caption: the contents have the list, a chapter its text.
    list: !!top.querySelector('[role=listbox]'),
    textWindow: !!top.querySelector('[role=region]'),
    rect: [rect.left, rect.top, rect.width, rect.height],
    box: { left: box.left, top: box.top, scale: box.width / 640 },
  };
}

class Reader {
  constructor(page, data, { mouse = false, axe = false, phone = false } = {}) {
    Object.assign(this, { page, data, mouse, axe, phone });
    const own = Object.entries(data.book.messages || {}).map(([k, v]) => ({ [k]: plain(v) }));
    this.words = Object.assign({}, WORDS, ...own);
    this.checked = new Set();
  }

  // Waits for a layer that passes test on top; checks it with axe the first time it is seen.
  async untilTop(test, what, timeout = 5000) {
    const end = Date.now() + timeout;
    for (;;) {
      const facts = await this.page.evaluate(topFacts);
      if (facts && test(facts)) {
        if (this.axe && !this.checked.has(what)) {
          this.checked.add(what);
          await checkAxe(this.page, what);
        }
        return facts;
      }
      if (Date.now() > end) {
        throw new Error(`waited in vain for ${what}; on top: ${JSON.stringify(facts)}`);
      }
      await new Promise((resolve) => setTimeout(resolve, 25));
    }
  }

  dialog(name, what, role = 'dialog') {
    return this.untilTop((t) => t.role === role && t.name === name, what);
  }

  untilGone(facts, timeout = 5000) {
    return until(this.page, (mark) => !document.querySelector(`[data-test-mark="${mark}"]`),
      facts.mark, `"${facts.name}" to close`, timeout);
  }

  focused(selector, what) {
    return until(this.page, (s) => document.activeElement.matches(s), selector, what);
  }

  // A button of the top layer: clicked, or by keyboard its Alt key (else the given key).
  async button(caption, key) {
    const found = await this.page.evaluate((top, label) => {
      const buttons = [...document.querySelectorAll(top + ' button')];
      const button = buttons.find((b) => b.textContent === label);
      if (!button) return null;
      const r = button.getBoundingClientRect();
      const alt = button.getAttribute('aria-keyshortcuts');
      return { x: r.left + r.width / 2, y: r.top + r.height / 2, alt };
    }, TOP, plain(caption));
    assert.ok(found, `a button "${plain(caption)}" on top`);
    if (this.mouse) await this.page.mouse.click(found.x, found.y);
    else if (key) await this.page.keyboard.press(key);
    else await this.alt(found.alt);
  }

  async alt(shortcut) {
    assert.ok(shortcut, 'an Alt key');
    await this.page.keyboard.down('Alt');
    await this.page.keyboard.press(shortcut.slice(4).toLowerCase());
    await this.page.keyboard.up('Alt');
  }

  // Keyboard: Tab until the phrase has the focus, then Enter. Mouse: a click.
  async activate(selector) {
    if (this.mouse) return this.page.click(selector);
    const has = () => this.page.evaluate((s) => document.activeElement.matches(s), selector);
    for (let i = 0; i < 200 && !(await has()); i++) await this.page.keyboard.press('Tab');
    assert.ok(await has(), 'Tab reaches ' + selector);
    return this.page.keyboard.press('Enter');
  }

  // ---- the book's steps ----

  async readBook(onChapter) {
    const { book } = this.data;
    if (book.needsTap) {
      await this.untilTop((f) => f.name === book.title, 'the first screen');
      await this.button(this.words.openBook, 'Enter');
    }
    if (book.background && book.background.message) {
      await this.message(book.title, book.background.message);
    }
    for (const step of book.steps) await this.step(step, onChapter);
    await this.untilTop((f) => f.name === this.words.closed, 'the end screen');
  }

  async step(step, onChapter) {
    const { book, chapters } = this.data;
    const action = (step === 'opening' || step === 'closing') && book[step];
    if (action) await this.check(action, null);
    if (step === 'about' && book.about) {
      const f = await this.dialog(book.about.caption, 'the about box');
      assert.ok(f.text.includes(book.about.programName), 'the about box');
      await this.button(this.words.ok, 'Enter');
      await this.untilGone(f);
    }
    if (step === 'intro' && book.intro) {
      await this.announced(book.intro);
      const f = await this.untilTop((t) => t.name === book.intro.caption && !t.list, 'the intro');
      if (book.intro.text) assert.ok(squash(f.text).includes(textOf(book.intro.text.html)));
      await this.button(book.captions.close, 'Escape');
      await this.untilGone(f);
    }
    if (step === 'chapter') await this.chapter(1, chapters[1], onChapter);
    if (step === 'contents' && book.contents) await this.contents(onChapter);
  }

  // The contents, where its list has the focus.
  async atContents() {
    const { screen } = this.data.book.contents;
    const f = await this.untilTop((t) => t.name === screen.caption && t.list, 'the contents');
    if (!this.mouse) await this.focused('[role=listbox]', 'the chapter list');
    return f;
  }

  async contents(onChapter) {
    const { book, chapters } = this.data;
    await this.announced(book.contents.screen);
    for (let i = 0; i < book.contents.chapters.length; i++) {
      await this.atContents();
      if (this.mouse) {
        const option = `[role=option]:nth-child(${i + 1})`;
        await this.page.click(option, { clickCount: i % 2 ? 2 : 1 });
        if (i % 2 === 0) await this.button(book.contents.ok);
      } else {
        await this.page.keyboard.press('Home');
        for (let k = 0; k < i; k++) await this.page.keyboard.press('ArrowDown');
        await this.page.keyboard.press('Enter');
      }
      await this.chapter(i + 1, chapters[i + 1], onChapter);
    }
    const f = await this.atContents();
    await this.button(book.contents.quitButton, 'Escape');
    await this.untilGone(f);
  }

  // A screen's background message comes over it first, in an OK box.
  async announced(screen) {
    const message = screen.background && screen.background.message;
    if (message) await this.message(screen.caption, message);
  }

  async atChapter(number, chapter) {
    await this.announced(chapter.screen);
    const caption = chapter.screen.caption;
    return this.untilTop((t) => t.name === caption && t.textWindow, 'chapter ' + number);
  }

  async chapter(number, chapter, onChapter) {
    const f = await this.atChapter(number, chapter);
    const text = chapter.screen.text;
    const shown = await this.page.evaluate((top) => {
      const node = document.querySelector(top + ' [role=region]');
      return { lang: node.lang, dir: node.dir, text: node.innerText };
    }, TOP);
    assert.deepEqual([shown.lang, shown.dir], [text.lang, text.dir], 'the text language');
    assert.ok(squash(shown.text).includes(textOf(text.html)), 'the chapter text');
    if (onChapter) await onChapter(number, chapter);
    await this.button(this.data.book.captions.close, 'Escape');
    await this.untilGone(f);
  }

  // Every phrase of the chapter, in the order of the text.
  async phrases(number, chapter) {
    const keys = await this.page.evaluate((top) => [...new Set([...document.querySelectorAll(
      top + ' a.phrase')].map((a) => a.dataset.link))], TOP);
    const links = Object.keys(chapter.links);
    assert.deepEqual([...keys].sort(), links.sort(), 'every link has its phrase');
    for (const key of keys) await this.check(chapter.links[key], phraseOf(key));
  }

  // ---- what each action shows ----

  async check(action, phrase) {
    const started = Date.now();
    this.below = phrase ? (await this.page.evaluate(topFacts)).mark : null;
    if (phrase) await this.activate(phrase);
    const kind = action.kind === 'show' ? 'show ' + action.show.mode : action.kind;
    const what = `${kind} "${action.caption}"`;
    const shown = await this.checkKind(kind, action, phrase, what, started);
    if (shown) await this.untilGone(shown, 15000);
    if (phrase) await this.focused(phrase, 'focus back on ' + phrase);
  }

  checkKind(kind, action, phrase, what, started) {
    switch (kind) {
      case 'popup': return this.popup(action, what);
      case 'screen': return this.screen(action, what);
      case 'show picture': return this.picture(action, phrase, what, started);
      case 'show sound': return this.playing(action.show.sound, what).then(() => null);
      case 'show player': return this.player(action, what);
      case 'program': case 'message': return this.message(action.caption, action.message);
      case 'page': return this.webPage(action, what);
      case 'web': return this.web(action, phrase, what);
      case 'notepad': return this.notepad(action, what);
      default: return this.nothing(what);
    }
  }

  // Two frames later, the same layer is on top.
  async nothing(what) {
    await this.page.evaluate(() => new Promise((r) => {
      requestAnimationFrame(() => requestAnimationFrame(r));
    }));
    const top = await this.page.evaluate(topFacts);
    assert.equal(top && top.mark, this.below, what + ' shows nothing');
    return null;
  }

  async message(caption, message) {
    const f = await this.dialog(caption, 'the message ' + caption, 'alertdialog');
    assert.ok(f.text.includes(message) && f.focusInside, 'the message and its focus');
    await this.button(this.words.ok, 'Enter');
    return f;
  }

  async popup(action, what) {
    const { html, lang, dir, place } = action.popup;
    const f = await this.dialog(action.caption, what);
    assert.ok(squash(f.text).includes(textOf(html)), what + ' text');
    const language = await this.page.evaluate((top) => {
      const text = document.querySelector(top + ' .q-rich');
      return [text.lang, text.dir];
    }, TOP);
    assert.deepEqual(language, [lang, dir], what + ' language');
    if (!this.phone) {
      // The window's inside, below its caption bar and within its border, is at the place.
      const inside = await this.page.evaluate((top) => {
        const win = document.querySelector(top);
        const w = win.getBoundingClientRect();
        const c = win.querySelector('.q-caption').getBoundingClientRect();
        const border = win.clientTop * (w.height / win.offsetHeight);
        return [c.left, c.bottom, c.width, w.bottom - border - c.bottom];
      }, TOP);
      const { left, top, scale } = f.box;
      const want = [left + place.left * scale, top + place.top * scale,
        place.width * scale, place.height * scale];
      inside.forEach((v, i) => {
        assert.ok(Math.abs(v - want[i]) < 2, `${what}: inside at ${inside}, not ${want}`);
      });
    }
    await this.button(this.words.ok, 'Escape');
    return f;
  }

  // Closed by Escape, or by a right click on its area.
  async screen(action, what) {
    await this.announced(action.screen);
    const f = await this.dialog(action.screen.caption, what);
    if (action.screen.text) assert.ok(squash(f.text).includes(textOf(action.screen.text.html)));
    if (!this.mouse) {
      await this.page.keyboard.press('Escape');
      return f;
    }
    const corner = await this.page.evaluate((top) => {
      const r = document.querySelector(top + ' .q-area').getBoundingClientRect();
      return { x: r.right - 3, y: r.bottom - 3 };
    }, TOP);
    await this.page.mouse.click(corner.x, corner.y, { button: 'right' });
    return f;
  }

  async picture(action, phrase, what, started) {
    const show = action.show;
    const f = await this.dialog(show.alt || action.caption, what);
    await until(this.page, (alt) => [...document.querySelectorAll('#quorelle img')]
      .some((img) => img.alt === alt && img.complete && img.naturalWidth > 0),
    show.alt, what + ' loaded');
    if (show.sound) await this.playing(show.sound, what);
    if (show.delayMs > 0) {
      await this.untilGone(f, show.delayMs + 15000);
      if (phrase) assert.ok(Date.now() - started >= show.delayMs, what + ' stays its time');
    } else if (this.mouse) {
      await this.page.click('#quorelle .q-show img');
    } else {
      await this.page.keyboard.press('Enter');
    }
    return f;
  }

  playing(source, what) {
    return until(this.page, (src) => [...document.querySelectorAll('audio, video')].some((m) =>
      m.currentSrc.endsWith(src) && (m.currentTime > 0 || m.ended)),
    source, what + ' playing', 8000);
  }

  async player(action, what) {
    const show = action.show;
    const f = await this.dialog(this.data.book.captions.media, what);
    const media = TOP + (show.video ? ' video' : ' audio');
    const state = () => this.page.evaluate((s) => {
      const m = document.querySelector(s);
      return { label: m.getAttribute('aria-label'), time: m.currentTime };
    }, media);
    assert.equal((await state()).label, show.alt, what + ' label');
    if (show.video) {
      const sources = await this.page.evaluate((s) => [...document.querySelectorAll(s + ' source')]
        .map((source) => source.getAttribute('src')), media);
      assert.deepEqual(sources, [show.webm, show.video].filter(Boolean), what + ': WebM, then MP4');
    }
    await this.button(this.words.play);
    // A slow poll may come after the end.
    await until(this.page, (s) => {
      const m = document.querySelector(s);
      return (!m.paused && m.currentTime > 0) || m.ended;
    }, media, what + ' playing', 8000);
    await this.button(this.words.pause);
    await until(this.page, (s) => document.querySelector(s).paused, media, what + ' paused');
    await this.button(this.words.stop);
    assert.equal((await state()).time, 0, what + ' stopped at the start');
    await this.button(this.data.book.captions.close, 'Escape');
    return f;
  }

  async webPage(action, what) {
    const f = await this.dialog(action.page.title || action.caption, what);
    assert.ok(squash(f.text).includes(textOf(action.page.html)), what + ' shows the page');
    await this.button(this.data.book.captions.close, 'Escape');
    return f;
  }

  // No first: nothing opens. Then Yes: the address, in a tab of its own.
  async web(action, phrase, what) {
    const { question, address } = action.web;
    const asking = (t) => t.role === 'alertdialog' && t.text.includes(question);
    const ask = () => this.untilTop(asking, what);
    const opened = () => this.page.evaluate(() => window.quorelleTest.opened.slice());
    const already = (await opened()).length;
    const f = await ask();
    await this.button(this.words.no, 'Escape');
    await this.untilGone(f);
    assert.equal((await opened()).length, already, 'No opens nothing');
    if (!phrase) return null;
    await this.focused(phrase, 'focus back on ' + phrase);
    await this.activate(phrase);
    const g = await ask();
    await this.button(this.words.yes);
    await until(this.page, (n) => window.quorelleTest.opened.length > n, already, what + ' opened');
    assert.deepEqual((await opened()).pop(), [address, '_blank', 'noopener']);
    return g;
  }

  async notepad(action, what) {
    const { caption, key, text } = action.notepad;
    const f = await this.dialog(caption, what);
    const value = () => this.page.evaluate(() => document.querySelector('textarea').value);
    const kept = () => this.page.evaluate((k) => localStorage.getItem(k), key);
    const before = await kept();
    // A text box reads every line break as \n.
    assert.equal(await value(), (before === null ? text : before).replace(/\r\n?/g, '\n'), what);
    await this.page.keyboard.type(' Written by the test.');
    assert.equal(await kept(), await value(), what + ' kept');
    await this.button(this.data.book.captions.close, 'Escape');
    return f;
  }
}

module.exports = { Reader, phraseOf, textOf };
