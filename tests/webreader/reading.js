// A reader going through the book, by keyboard or by mouse, led by the book's own data: every
// step, every chapter, every phrase, with a check of what each one shows.
'use strict';
const assert = require('node:assert/strict');
const { checkAxe, until } = require('./harness');

// The page's words where the book gives none, as the reader sees them.
const WORDS = {
  ok: 'OK', yes: 'Yes', no: 'No', play: 'Play', pause: 'Pause', stop: 'Stop', save: 'Save',
  openBook: 'Open the book', closed: 'The book is closed.', openAgain: 'Open it again',
  findNext: 'Find Next', cancel: 'Cancel',
};

const plain = (caption) => (caption || '').replace(/&(.)/g, '$1');
const squash = (text) => text.replace(/\s+/g, '');
const ENTITIES = { amp: '&', lt: '<', gt: '>', quot: '"', apos: "'", nbsp: ' ' };
const stripHtml = (html) => html.replace(/<[^>]*>/g, '').replace(/&(#x?[0-9a-f]+|\w+);/gi, (_, e) =>
  e[0] === '#' ? String.fromCodePoint(parseInt(e.slice(1).replace(/^x/i, '0x'))) : ENTITIES[e] || '');
const textOf = (html) => squash(stripHtml(html));

// Facts about the layer on top (the last child of the design box), read in the page. Each layer
// gets a mark, so that a test can wait for that very one to go.
function topFacts() {
  const layers = [...document.querySelectorAll('#quorelle .q-box > *')];
  const top = layers[layers.length - 1];
  if (!top) return null;
  if (!top.dataset.testMark) {
    window.testMarks = (window.testMarks || 0) + 1;
    top.dataset.testMark = window.testMarks;
  }
  const labelId = top.getAttribute('aria-labelledby');
  const name = labelId ? document.getElementById(labelId).textContent : top.getAttribute('aria-label');
  const rect = top.getBoundingClientRect();
  const box = document.querySelector('#quorelle .q-box').getBoundingClientRect();
  return {
    role: top.getAttribute('role') || top.tagName.toLowerCase(), modal: top.getAttribute('aria-modal'),
    name, text: top.innerText, mark: top.dataset.testMark, focusInside: top.contains(document.activeElement),
    rect: { left: rect.left, top: rect.top, width: rect.width, height: rect.height },
    box: { left: box.left, top: box.top, scale: box.width / 640 },
  };
}

class Reader {
  constructor(page, data, { mouse = false, axe = false, phone = false } = {}) {
    Object.assign(this, { page, data, mouse, axe, phone });
    this.words = Object.assign({}, WORDS, ...Object.entries(data.book.messages || {})
      .map(([key, value]) => ({ [key]: plain(value) })));
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
      if (Date.now() > end) throw new Error(`waited in vain for ${what}; on top: ${JSON.stringify(facts)}`);
      await new Promise((resolve) => setTimeout(resolve, 25));
    }
  }

  untilGone(facts, timeout = 5000) {
    return until(this.page, (mark) => !document.querySelector(`[data-test-mark="${mark}"]`),
      facts.mark, `"${facts.name}" to close`, timeout);
  }

  // A button of the top layer: clicked, or by keyboard its Alt key (else the given key).
  async button(caption, key) {
    const found = await this.page.evaluate((label) => {
      const layers = document.querySelectorAll('#quorelle .q-box > *');
      const top = layers[layers.length - 1];
      const button = [...top.querySelectorAll('button')].find((b) => b.textContent === label);
      if (!button) return null;
      const r = button.getBoundingClientRect();
      return { x: r.left + r.width / 2, y: r.top + r.height / 2, alt: button.getAttribute('aria-keyshortcuts') };
    }, plain(caption));
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
    if (this.mouse) {
      await this.page.click(selector);
      return;
    }
    for (let i = 0; i < 200; i++) {
      if (await this.page.evaluate((s) => document.activeElement.matches(s), selector)) break;
      await this.page.keyboard.press('Tab');
    }
    assert.ok(await this.page.evaluate((s) => document.activeElement.matches(s), selector),
      'Tab reaches ' + selector);
    await this.page.keyboard.press('Enter');
  }

  async focusIsBack(selector) {
    if (selector) await until(this.page, (s) => document.activeElement.matches(s), selector, 'focus back on ' + selector);
  }

  // ---- the book's steps ----

  async readBook(onChapter) {
    const { book } = this.data;
    if (book.needsTap) {
      await this.untilTop((f) => f.name === book.title, 'the first screen');
      await this.button(this.words.openBook, 'Enter');
    }
    if (book.background && book.background.message) await this.message(book.title, book.background.message);
    for (const step of book.steps) await this.step(step, onChapter);
    await this.untilTop((f) => f.name === this.words.closed, 'the end screen');
  }

  async step(step, onChapter) {
    const { book, chapters } = this.data;
    if ((step === 'opening' || step === 'closing') && book[step]) await this.check(book[step], null);
    if (step === 'about' && book.about) {
      const f = await this.untilTop((t) => t.name === book.about.caption, 'the about box');
      assert.ok(f.text.includes(book.about.programName) && f.modal === 'true');
      await this.button(this.words.ok, 'Enter');
      await this.untilGone(f);
    }
    if (step === 'intro' && book.intro) {
      const f = await this.untilTop((t) => t.name === book.intro.caption, 'the intro');
      if (book.intro.text) assert.ok(squash(f.text).includes(textOf(book.intro.text.html)));
      await this.button(book.captions.close, 'Escape');
      await this.untilGone(f);
    }
    if (step === 'chapter') await this.chapter(1, chapters[1], onChapter);
    if (step === 'contents' && book.contents) await this.contents(onChapter);
  }

  async contents(onChapter) {
    const { book, chapters } = this.data;
    const caption = book.contents.screen.caption;
    const isContents = (f) => f.name === caption;
    for (let i = 0; i < book.contents.chapters.length; i++) {
      await this.untilTop(isContents, 'the contents');
      if (this.mouse) {
        const option = `[role=option]:nth-child(${i + 1})`;
        if (i % 2) await this.page.click(option, { clickCount: 2 });
        else {
          await this.page.click(option);
          await this.button(book.contents.ok);
        }
      } else {
        await until(this.page, () => document.activeElement.getAttribute('role') === 'listbox', null, 'the list focused');
        await this.page.keyboard.press('Home');
        for (let k = 0; k < i; k++) await this.page.keyboard.press('ArrowDown');
        await this.page.keyboard.press('Enter');
      }
      await this.chapter(i + 1, chapters[i + 1], onChapter);
    }
    const f = await this.untilTop(isContents, 'the contents');
    await this.button(book.contents.quitButton, 'Escape');
    await this.untilGone(f);
  }

  async chapter(number, chapter, onChapter) {
    const f = await this.untilTop((t) => t.name === chapter.screen.caption, 'chapter ' + number);
    const text = chapter.screen.text;
    const shown = await this.page.evaluate(() => {
      const node = document.querySelector('#quorelle .q-box > :last-child [role=region]');
      return { lang: node.lang, dir: node.dir, text: node.innerText };
    });
    assert.deepEqual([shown.lang, shown.dir], [text.lang, text.dir], 'the text language');
    assert.ok(squash(shown.text).includes(textOf(text.html)), 'the chapter text');
    if (onChapter) await onChapter(number, chapter);
    await this.button(this.data.book.captions.close, 'Escape');
    await this.untilGone(f);
  }

  // Every phrase of the chapter, in the order of the text.
  async phrases(number, chapter) {
    const keys = await this.page.evaluate(() => [...new Set([...document.querySelectorAll(
      '#quorelle .q-box > :last-child a.phrase')].map((a) => a.dataset.link))]);
    assert.deepEqual([...keys].sort(), Object.keys(chapter.links).sort(), 'every link has its phrase');
    for (const key of keys) await this.check(chapter.links[key], `a.phrase[data-link="${key}"]`);
  }

  // ---- what each action shows ----

  async check(action, phrase) {
    const started = Date.now();
    this.below = phrase ? (await this.page.evaluate(topFacts)).mark : null;
    if (phrase) await this.activate(phrase);
    const kind = action.kind === 'show' ? 'show ' + action.show.mode : action.kind;
    const shown = await this.checkKind(kind, action, phrase, `${kind} "${action.caption}"`, started);
    if (shown) await this.untilGone(shown, 15000);
    await this.focusIsBack(phrase);
  }

  async checkKind(kind, action, phrase, what, started) {
    const { book } = this.data;
    switch (kind) {
      case 'popup': return this.popup(action, what);
      case 'screen': return this.screen(action, what);
      case 'show picture': return this.picture(action, phrase, what, started);
      case 'show sound': return this.playing(action.show.sound, what).then(() => null);
      case 'show player': return this.player(action, what);
      case 'program': case 'message': return this.message(action.caption, action.message);
      case 'page': {
        const f = await this.untilTop((t) => t.name === (action.page.title || action.caption), what);
        assert.ok(squash(f.text).includes(textOf(action.page.html)), what + ' shows the page');
        await this.button(book.captions.close, 'Escape');
        return f;
      }
      case 'web': return this.web(action, phrase, what);
      case 'notepad': return this.notepad(action, what);
      default: { // nothing: two frames later, the same layer on top
        await this.page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
        const top = await this.page.evaluate(topFacts);
        assert.equal(top && top.mark, this.below, what + ' shows nothing');
        return null;
      }
    }
  }

  async message(caption, message) {
    const f = await this.untilTop((t) => t.role === 'alertdialog' && t.name === caption, 'the message ' + caption);
    assert.ok(f.text.includes(message) && f.focusInside, 'the message and its focus');
    await this.button(this.words.ok, 'Enter');
    return f;
  }

  async popup(action, what) {
    const f = await this.untilTop((t) => t.role === 'dialog' && t.name === action.caption, what);
    assert.ok(squash(f.text).includes(textOf(action.popup.html)), what + ' text');
    if (!this.phone) {
      const { place } = action.popup;
      const want = [f.box.left + place.left * f.box.scale, f.box.top + place.top * f.box.scale,
        place.width * f.box.scale, place.height * f.box.scale];
      const got = [f.rect.left, f.rect.top, f.rect.width, f.rect.height];
      got.forEach((v, i) => assert.ok(Math.abs(v - want[i]) < 2, `${what} at its place: ${got} for ${want}`));
    }
    await this.button(this.words.ok, 'Escape');
    return f;
  }

  async screen(action, what) {
    const f = await this.untilTop((t) => t.role === 'dialog' && t.name === action.screen.caption, what);
    if (action.screen.text) assert.ok(squash(f.text).includes(textOf(action.screen.text.html)));
    if (!this.mouse) {
      await this.page.keyboard.press('Escape');
      return f;
    }
    const corner = await this.page.evaluate(() => {
      const r = document.querySelector('#quorelle .q-box > :last-child .q-area').getBoundingClientRect();
      return { x: r.right - 3, y: r.bottom - 3 };
    });
    await this.page.mouse.click(corner.x, corner.y, { button: 'right' });
    return f;
  }

  async picture(action, phrase, what, started) {
    const show = action.show;
    const f = await this.untilTop((t) => t.role === 'dialog' && t.name === (show.alt || action.caption), what);
    await until(this.page, (alt) => [...document.querySelectorAll('#quorelle img')]
      .some((img) => img.alt === alt && img.complete && img.naturalWidth > 0), show.alt, what + ' loaded');
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
      m.currentSrc.endsWith(src) && (m.currentTime > 0 || m.ended)), source, what + ' playing', 8000);
  }

  async player(action, what) {
    const show = action.show;
    const f = await this.untilTop((t) => t.role === 'dialog' && t.name === this.data.book.captions.media, what);
    const media = show.video ? 'video' : 'audio';
    const state = (tag) => this.page.evaluate((t) => {
      const m = document.querySelector('#quorelle .q-box > :last-child ' + t);
      return { label: m.getAttribute('aria-label'), paused: m.paused, time: m.currentTime };
    }, tag);
    assert.equal((await state(media)).label, show.alt, what + ' label');
    await this.button(this.words.play);
    await until(this.page, (t) => {
      const m = document.querySelector('#quorelle .q-box > :last-child ' + t);
      return !m.paused && m.currentTime > 0;
    }, media, what + ' playing', 8000);
    await this.button(this.words.pause);
    await until(this.page, (t) => document.querySelector('#quorelle .q-box > :last-child ' + t).paused, media, 'paused');
    await this.button(this.words.stop);
    assert.equal((await state(media)).time, 0, what + ' stopped at the start');
    await this.button(this.data.book.captions.close, 'Escape');
    return f;
  }

  async web(action, phrase, what) {
    const ask = () => this.untilTop((t) => t.role === 'alertdialog' && t.text.includes(action.web.question), what);
    const opened = () => this.page.evaluate(() => window.quorelleTest.opened.slice());
    const already = (await opened()).length;
    const f = await ask();
    await this.button(this.words.no, 'Escape');
    await this.untilGone(f);
    assert.equal((await opened()).length, already, 'No opens nothing');
    if (!phrase) return null;
    await this.focusIsBack(phrase);
    await this.activate(phrase);
    const g = await ask();
    await this.button(this.words.yes);
    await until(this.page, (n) => window.quorelleTest.opened.length > n, already, what + ' opened');
    assert.deepEqual((await opened()).pop(), [action.web.address, '_blank', 'noopener']);
    return g;
  }

  async notepad(action, what) {
    const note = action.notepad;
    const f = await this.untilTop((t) => t.role === 'dialog' && t.name === note.file, what);
    const value = () => this.page.evaluate(() => document.querySelector('#quorelle textarea').value);
    const kept = await this.page.evaluate((key) => localStorage.getItem(key), note.key);
    assert.equal(await value(), kept === null ? note.text : kept, what + ' text');
    await this.page.keyboard.type(' Written by the test.');
    assert.equal(await this.page.evaluate((key) => localStorage.getItem(key), note.key), await value());
    await this.button(this.data.book.captions.close, 'Escape');
    return f;
  }
}

module.exports = { Reader, plain, topFacts };
