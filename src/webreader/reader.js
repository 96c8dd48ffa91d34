// Plays a book's web edition. reader.js defines QuorelleBook and QuorelleChapter; book.js and
// chapters/N.js call them. Every rule was decided by the exporter: this page shows what the data
// says, on the same 640 x 480 design screen as the desktop runtimes.
(function () {
  'use strict';

  const DESIGN_WIDTH = 640;
  const DESIGN_HEIGHT = 480;
  const MAX_SCALE = 2;
  const READABLE_PX = 16;
  const CAPTION_HEIGHT = 20; // .q-caption
  const BORDER = 1; // .q-window

  // Words a book may leave out of book.messages; "&" marks the Alt key.
  const WORDS = {
    ok: '&OK', yes: '&Yes', no: '&No', cancel: 'Cancel', findWhat: 'Fi&nd what:',
    findNext: '&Find Next', play: '&Play', pause: 'P&ause', stop: '&Stop', save: '&Save',
    openBook: 'Open the book', closed: 'The book is closed.', openAgain: 'Open it again',
    missing: 'The file %1 is missing.', noSound: 'This sound cannot be played.',
    noFind: 'Type the text to find.', findTitle: 'Find', notFound: 'The text was not found.',
  };

  let book = null;
  let words = WORDS;
  let root = null;
  let box = null;
  let phone = false;
  let nextId = 0;
  let chosenChapter = 0;
  let lastSound = null;
  const layers = [];
  const chapters = new Map();
  const pending = new Map();

  window.QuorelleBook = function (data) {
    book = data;
    words = Object.assign({}, WORDS, data.messages);
    // Once the whole page is read: a book in one page has its chapters' scripts after this one.
    if (document.readyState === 'loading') document.addEventListener('DOMContentLoaded', start);
    else start();
  };

  window.QuorelleChapter = function (number, data) {
    chapters.set(number, data);
    const resolve = pending.get(number);
    pending.delete(number);
    if (resolve) resolve(data);
  };

  // ---- building blocks -------------------------------------------------------------------

  function el(tag, attributes, ...children) {
    const node = document.createElement(tag);
    for (const [name, value] of Object.entries(attributes || {})) {
      if (value === null || value === undefined || value === false) continue;
      if (name === 'class') node.className = value;
      else if (name === 'text') node.textContent = value;
      else node.setAttribute(name, value === true ? '' : value);
    }
    node.append(...children.filter((child) => child !== null && child !== undefined));
    return node;
  }

  function uid() {
    nextId += 1;
    return 'q' + nextId;
  }

  // "&Close" shows C underlined and answers Alt+C; "&&" is an ampersand.
  function label(node, caption) {
    const text = caption || '';
    const plain = (s) => s.replace(/&&/g, '&');
    const parts = /^((?:[^&]|&&)*)&([^&])([\s\S]*)$/.exec(text);
    if (!parts) {
      node.textContent = plain(text);
      return node;
    }
    node.append(plain(parts[1]), el('u', { text: parts[2] }), plain(parts[3]));
    node.dataset.key = parts[2].toLowerCase();
    node.setAttribute('aria-keyshortcuts', 'Alt+' + parts[2].toUpperCase());
    return node;
  }

  function button(caption, action, className) {
    const node = label(el('button', { type: 'button', class: className }), caption);
    node.addEventListener('click', action);
    return node;
  }

  function placeAt(node, rect) {
    node.style.left = rect.left + 'px';
    node.style.top = rect.top + 'px';
    node.style.width = rect.width + 'px';
    node.style.height = rect.height + 'px';
  }

  function paint(node, background) {
    if (!background) return;
    node.style.backgroundColor = background.colour;
    if (!background.picture) return;
    node.style.backgroundImage = 'url("' + background.picture + '")';
    node.style.backgroundRepeat = background.tiles ? 'repeat' : 'no-repeat';
    node.style.backgroundSize = background.tiles ? 'auto' : '100% 100%';
    node.style.backgroundPosition = '0 0';
  }

  function font(node, f) {
    if (!f) return;
    node.style.fontFamily = f.family;
    node.style.setProperty('--q-size', f.size + 'px');
    node.style.fontWeight = f.bold ? 'bold' : 'normal';
    node.style.fontStyle = f.italic ? 'italic' : 'normal';
    node.style.textDecoration = f.underline ? 'underline' : 'none';
    node.style.color = f.colour;
  }

  // HTML the exporter wrote and sanitised; the policy forbids scripts in it anyway.
  function rich(className, html, lang, dir, colour) {
    const node = el('div', { class: className + ' q-rich', lang, dir, tabindex: '0' });
    node.innerHTML = html || '';
    if (colour) node.style.backgroundColor = colour;
    return node;
  }

  // On a phone the text reflows at 16px at least; on a wide window it keeps its designed sizes.
  function readable(node) {
    const all = [node, ...node.querySelectorAll('*')];
    for (const e of all) if (e.dataset.qSize !== undefined) e.style.fontSize = e.dataset.qSize;
    if (!phone) return;
    // Read every size before changing any, so that a child is judged by its own design.
    const small = all.filter((e) => parseFloat(getComputedStyle(e).fontSize) < READABLE_PX);
    for (const e of small) {
      if (e.dataset.qSize === undefined) e.dataset.qSize = e.style.fontSize;
      e.style.fontSize = READABLE_PX + 'px';
    }
  }

  // ---- layers: screens and windows, the top one takes the keys ---------------------------

  function openLayer(node, options) {
    const opts = options || {};
    let resolve;
    const layer = {
      node, back: document.activeElement, modeless: !!opts.modeless,
      area: opts.area || null,
      done: new Promise((r) => { resolve = r; }),
    };
    layer.close = (value) => {
      if (unstack(layer)) resolve(value);
    };
    layer.escape = opts.escape || (() => layer.close());
    layers.push(layer);
    box.append(node);
    settle();
    node.querySelectorAll('.q-rich').forEach(readable);
    const target = opts.focus || firstFocusable(node) || node;
    if (target === node) node.tabIndex = -1;
    target.focus();
    return layer;
  }

  function unstack(layer) {
    const at = layers.indexOf(layer);
    if (at < 0) return false;
    layers.splice(at, 1);
    layer.node.remove();
    settle();
    const top = layers[layers.length - 1];
    if (top && layer.back && top.node.contains(layer.back) && !layer.back.closest('[inert]')) {
      layer.back.focus();
    } else if (top && !top.node.contains(document.activeElement)) {
      (firstFocusable(top.node) || top.node).focus();
    }
    return true;
  }

  // Only the top layer (and the one under a modeless window) can be reached.
  function settle() {
    const count = layers.length;
    layers.forEach((layer, i) => {
      const underModeless = i === count - 2 && layers[count - 1].modeless;
      layer.node.inert = i < count - 1 && !underModeless;
    });
  }

  function firstFocusable(node) {
    return node.querySelector('button, [href], input, textarea, [tabindex="0"]');
  }

  function topLayer() {
    return layers[layers.length - 1];
  }

  function onKey(event) {
    const top = topLayer();
    if (!top) return;
    if (event.key === 'Escape' && !event.altKey) {
      event.preventDefault();
      top.escape();
      return;
    }
    if (!event.altKey || event.ctrlKey || event.metaKey) return;
    // Alt+letter: by the key's place first, so that Alt keeps working where it makes accents.
    const byCode = /^(?:Key|Digit)(.)$/.exec(event.code || '');
    const keys = [event.key.toLowerCase(), byCode && byCode[1].toLowerCase()];
    const target = [...top.node.querySelectorAll('[data-key]')].find(
      (node) => keys.includes(node.dataset.key) && !node.disabled && !node.closest('[inert]'));
    if (!target) return;
    event.preventDefault();
    target.click();
  }

  // ---- windows -------------------------------------------------------------------------

  // A window with its caption bar, its body and its row of buttons. A placed window has its
  // inside (body and buttons) at the place, its caption bar and border around it, as a window
  // of the other editions has.
  function windowBox(caption, className, role, place) {
    const id = uid();
    const node = el('div', {
      class: 'q-window ' + className, role: role || 'dialog', 'aria-modal': 'true',
      'aria-labelledby': id,
    });
    if (place) {
      placeAt(node, {
        left: place.left - BORDER, top: Math.max(0, place.top - CAPTION_HEIGHT - BORDER),
        width: place.width + 2 * BORDER, height: place.height + CAPTION_HEIGHT + 2 * BORDER,
      });
    } else {
      node.classList.add('q-centred');
    }
    const body = el('div', { class: 'q-body' });
    const buttons = el('div', { class: 'q-buttons' });
    node.append(el('h2', { class: 'q-caption', id, text: caption }), body, buttons);
    return { node, body, buttons };
  }

  // A message box; resolves with the value of the button pressed (Escape: the last one's).
  function say(caption, message, answers) {
    const choices = answers || [[words.ok, true]];
    const win = windowBox(caption, 'q-message', 'alertdialog');
    const id = uid();
    win.node.setAttribute('aria-describedby', id);
    win.body.append(el('p', { id, text: message }));
    let layer = null;
    const buttons = choices.map(([text, value]) => button(text, () => layer.close(value)));
    win.buttons.append(...buttons);
    layer = openLayer(win.node, {
      focus: buttons[0], escape: () => layer.close(choices[choices.length - 1][1]),
    });
    return layer.done;
  }

  function aboutBox() {
    const about = book.about;
    if (!about) return Promise.resolve();
    const win = windowBox(about.caption, 'q-about');
    if (about.icon) win.body.append(el('img', { class: 'q-icon', src: about.icon, alt: '' }));
    const lines = [about.programName, about.version, about.author, about.comments];
    win.body.append(...lines.filter(Boolean).map((text, i) =>
      el('p', { class: i === 0 ? 'q-program' : null, text })));
    let layer = null;
    const ok = button(words.ok, () => layer.close());
    win.buttons.append(ok);
    layer = openLayer(win.node, { focus: ok });
    return layer.done;
  }

  // A quiet screen of the book's own: before the first step, and when the book is closed.
  function greet(heading, action) {
    const id = uid();
    const node = el('section', { class: 'q-greet', 'aria-labelledby': id },
      el('h1', { id, text: heading }));
    let layer = null;
    const go = button(action, () => layer.close());
    node.append(go);
    layer = openLayer(node, { focus: go, escape: () => {} });
    return layer.done;
  }

  function openHelp() {
    window.open(book.help, '_blank', 'noopener');
  }

  // The menu's commands every screen has; a book without an about box or help has no button.
  function menuCommands(close) {
    const about = book.about ? aboutBox : null;
    return { close, quit: close, about, help: book.help ? openHelp : null };
  }

  // ---- screens -------------------------------------------------------------------------

  function bar(data, className) {
    const node = el('div', { class: 'q-bar ' + className, text: data.text });
    node.style.setProperty('--q-height', data.height + 'px');
    node.style.backgroundColor = data.colour;
    font(node, data.font);
    return node;
  }

  // A 640 x 480 screen: the menu bar, the title bar, the area, the status bar.
  function screenNode(screen, commands, over) {
    const id = uid();
    const node = el('section', { class: 'q-screen', 'aria-labelledby': id });
    if (over) {
      node.setAttribute('role', 'dialog');
      node.setAttribute('aria-modal', 'true');
    }
    const menu = el('div', { class: 'q-menu' });
    for (const key of screen.menu || []) {
      if (commands[key]) menu.append(button(book.captions[key], commands[key]));
    }
    const area = el('div', { class: 'q-area' });
    paint(area, screen.background);
    node.append(el('h1', { class: 'q-hidden', id, text: screen.caption }));
    // A screen with no command has no menu bar, as on the desktop.
    if (menu.childElementCount) node.append(menu);
    if (screen.title) node.append(bar(screen.title, 'q-title'));
    node.append(area);
    if (screen.status) node.append(bar(screen.status, 'q-status'));
    return { node, area };
  }

  function textWindow(text, caption) {
    const node = rich('q-text', text.html, text.lang, text.dir, text.colour);
    node.setAttribute('role', 'region');
    node.setAttribute('aria-label', caption);
    if (text.place) placeAt(node, text.place);
    else node.classList.add('q-fill');
    return node;
  }

  // Shows a screen with its text until it is closed; links: the chapter's actions.
  function showScreen(screen, links, over) {
    let layer = null;
    let text = null;
    const commands = Object.assign(menuCommands(() => layer.close()), {
      find: screen.text ? () => findIn(text) : null,
      print: screen.text ? () => printText(text) : null,
    });
    const { node, area } = screenNode(screen, commands, over);
    if (screen.text) {
      text = textWindow(screen.text, screen.caption);
      text.addEventListener('click', (event) => follow(event, links || {}));
      area.append(text);
    }
    if (over) {
      area.addEventListener('contextmenu', (event) => {
        event.preventDefault();
        layer.close();
      });
    }
    layer = openLayer(node, { focus: text, area });
    announce(screen);
    return layer.done;
  }

  function announce(screen) {
    const message = screen.background && screen.background.message;
    if (message) say(screen.caption, message);
  }

  function follow(event, links) {
    const phrase = event.target.closest('a.phrase');
    if (!phrase) return;
    event.preventDefault();
    const action = links[phrase.dataset.link];
    if (action) run(action);
  }

  // ---- the table of contents -----------------------------------------------------------

  function contents() {
    const data = book.contents;
    if (!data) return Promise.resolve();
    let layer = null;
    const quit = () => layer.close();
    const { node, area } = screenNode(data.screen, menuCommands(quit), false);
    const list = chapterList(data, () => openChosen());
    const frame = el('div', { class: 'q-list-box' }, list.node,
      el('div', { class: 'q-buttons' }, button(data.ok, () => openChosen()),
        button(data.quitButton, quit)));
    placeAt(frame, data.box);
    area.append(frame);
    if (data.authorBox) area.append(authorBox(data.authorBox));
    layer = openLayer(node, { focus: list.node, area });
    list.pick(chosenChapter);
    announce(data.screen);

    async function openChosen() {
      await openChapter(chosenChapter + 1);
      list.node.focus();
    }
    return layer.done;
  }

  // A listbox: arrow keys move, Enter or a double click opens.
  function chapterList(data, open) {
    const node = el('div', {
      class: 'q-list', role: 'listbox', tabindex: '0', 'aria-label': data.screen.caption,
    });
    const options = data.chapters.map((chapter) => el('div', {
      class: 'q-option', role: 'option', id: uid(), dir: chapter.dir, text: chapter.entry,
    }));
    node.append(...options);
    const pick = (index) => {
      if (!options.length) return;
      chosenChapter = Math.max(0, Math.min(options.length - 1, index));
      options.forEach((option, i) => {
        option.setAttribute('aria-selected', String(i === chosenChapter));
      });
      const option = options[chosenChapter];
      node.setAttribute('aria-activedescendant', option.id);
      if (option.offsetTop < node.scrollTop) node.scrollTop = option.offsetTop;
      const below = option.offsetTop + option.offsetHeight - node.clientHeight;
      if (below > node.scrollTop) node.scrollTop = below;
    };
    const page = () => Math.max(1, Math.floor(node.clientHeight / (options[0].offsetHeight || 1)));
    const moves = {
      ArrowDown: () => chosenChapter + 1, ArrowUp: () => chosenChapter - 1, Home: () => 0,
      End: () => options.length - 1, PageDown: () => chosenChapter + page(),
      PageUp: () => chosenChapter - page(),
    };
    node.addEventListener('keydown', (event) => {
      if (event.altKey || event.ctrlKey) return;
      if (moves[event.key]) pick(moves[event.key]());
      else if (event.key === 'Enter') open();
      else return;
      event.preventDefault();
    });
    options.forEach((option, i) => {
      option.addEventListener('click', () => pick(i));
      option.addEventListener('dblclick', () => open());
    });
    return { node, pick };
  }

  function authorBox(data) {
    const node = el('div', { class: 'q-author' });
    placeAt(node, data.place);
    node.style.backgroundColor = data.colour;
    font(node, data.font);
    // An empty line keeps its place.
    node.append(...data.lines.map((line) =>
      el('div', { class: 'q-line', text: line || '\u00a0' })));
    return node;
  }

  // ---- chapters ------------------------------------------------------------------------

  function loadChapter(number) {
    if (chapters.has(number)) return Promise.resolve(chapters.get(number));
    return new Promise((resolve, reject) => {
      pending.set(number, resolve);
      const script = el('script', { src: 'chapters/' + number + '.js' });
      const fail = () => {
        pending.delete(number);
        script.remove();
        reject(new Error('chapters/' + number + '.js'));
      };
      script.addEventListener('error', fail);
      script.addEventListener('load', () => { if (!chapters.has(number)) fail(); });
      document.head.append(script);
    });
  }

  async function openChapter(number) {
    let chapter = null;
    try {
      chapter = await loadChapter(number);
    } catch (error) {
      await say(book.title, words.missing.replace('%1', error.message));
      return;
    }
    await showScreen(chapter.screen, chapter.links, false);
  }

  // ---- actions -------------------------------------------------------------------------

  const ACTIONS = {
    popup: popup,
    screen: (action) => showScreen(action.screen, {}, true),
    show: show,
    program: (action) => say(action.caption, action.message),
    message: (action) => say(action.caption, action.message),
    page: page,
    web: web,
    notepad: notepad,
    nothing: () => undefined,
  };

  // Runs an action; resolves when its window has closed.
  function run(action) {
    const perform = ACTIONS[action.kind] || ACTIONS.nothing;
    return Promise.resolve(perform(action));
  }

  function popup(action) {
    const data = action.popup;
    const win = windowBox(action.caption, 'q-popup', 'dialog', data.place);
    win.body.append(rich('q-pop-text', data.html, data.lang, data.dir, data.colour));
    let layer = null;
    const ok = button(words.ok, () => layer.close());
    win.buttons.append(ok);
    layer = openLayer(win.node, { focus: ok });
    return layer.done;
  }

  function web(action) {
    const answers = [[words.yes, true], [words.no, false]];
    return say(action.caption, action.web.question, answers).then((yes) => {
      if (yes) window.open(action.web.address, '_blank', 'noopener');
    });
  }

  function page(action) {
    const win = windowBox(action.page.title || action.caption, 'q-page');
    const text = rich('q-page-text', action.page.html, book.lang, book.dir);
    // The page's own links open beside the book, never in its place.
    text.querySelectorAll('a[href]:not([href^="#"])').forEach((link) => {
      link.target = '_blank';
      link.rel = 'noopener';
    });
    win.body.append(text);
    let layer = null;
    win.buttons.append(button(book.captions.close, () => layer.close()));
    layer = openLayer(win.node, { focus: text });
    return layer.done;
  }

  function kept(key) {
    try {
      return localStorage.getItem(key);
    } catch (error) {
      return null; // storage refused (a private window): the book's text stands
    }
  }

  function keep(key, value) {
    try {
      localStorage.setItem(key, value);
    } catch (error) {
      // storage refused: the text lives while the window is open
    }
  }

  function download(name, text) {
    const url = URL.createObjectURL(new Blob([text], { type: 'text/plain' }));
    const link = el('a', { href: url, download: name, class: 'q-hidden' });
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(url), 1000);
  }

  function notepad(action) {
    const data = action.notepad;
    const win = windowBox(data.caption, 'q-notepad');
    const area = el('textarea', { class: 'q-note', 'aria-label': data.file, spellcheck: 'false' });
    const stored = kept(data.key);
    area.value = stored !== null ? stored : data.text;
    area.setSelectionRange(area.value.length, area.value.length);
    area.addEventListener('input', () => keep(data.key, area.value));
    win.body.append(area);
    let layer = null;
    // Saved with the line breaks the book's own file has (a text box has only \n).
    const lines = (text) => (/\r\n/.test(data.text) ? text.replace(/\n/g, '\r\n') : text);
    win.buttons.append(button(words.save, () => download(data.file, lines(area.value))),
      button(book.captions.close, () => layer.close()));
    layer = openLayer(win.node, { focus: area });
    return layer.done;
  }

  // ---- sounds, pictures and films ------------------------------------------------------

  function cannotPlay() {
    say(book.title, words.noSound);
  }

  // Plays a sound with no window; ended resolves when it has ended, failed or been stopped.
  function hear(source, alt) {
    if (lastSound) lastSound.stop();
    const audio = el('audio', { class: 'q-sound', src: source, 'aria-label': alt || null });
    root.append(audio);
    let finish = null;
    const ended = new Promise((resolve) => { finish = resolve; });
    let failed = false;
    const fail = () => {
      if (!failed) cannotPlay();
      failed = true;
      finish();
    };
    audio.addEventListener('ended', finish);
    audio.addEventListener('error', fail);
    audio.play().catch((error) => { if (error.name !== 'AbortError') fail(); });
    const sound = {
      audio, ended,
      stop: () => {
        audio.pause();
        audio.remove();
        finish();
      },
    };
    lastSound = sound;
    return sound;
  }

  function show(action) {
    const data = action.show;
    if (data.mode === 'picture') return pictureShow(action);
    if (data.mode === 'player') return player(action);
    if (data.mode === 'sound' && data.sound) hear(data.sound, data.alt);
    return undefined;
  }

  // A picture over the whole screen for its time, its sound playing; it closes only once heard.
  function pictureShow(action) {
    const data = action.show;
    const node = el('div', {
      class: 'q-show', role: 'dialog', 'aria-modal': 'true',
      'aria-label': data.alt || action.caption,
    }, el('img', { src: data.picture, alt: data.alt || '' }));
    const heard = data.sound ? hear(data.sound, data.alt).ended : Promise.resolve();
    let layer = null;
    let ending = false;
    const end = () => {
      if (ending) return;
      ending = true;
      heard.then(() => layer.close());
    };
    layer = openLayer(node, { escape: end });
    node.addEventListener('click', end);
    node.addEventListener('contextmenu', (event) => {
      event.preventDefault();
      end();
    });
    node.addEventListener('keydown', (event) => { if (event.key === 'Enter') end(); });
    const timer = data.delayMs > 0 ? setTimeout(end, data.delayMs) : 0;
    layer.done.then(() => clearTimeout(timer));
    return layer.done;
  }

  function mediaElement(data) {
    if (!data.video) {
      return el('audio', {
        class: 'q-media', src: data.sound, preload: 'metadata', 'aria-label': data.alt,
      });
    }
    // WebM first: a browser without H.264 then never fetches the MP4.
    return el('video', {
      class: 'q-media', preload: 'metadata', playsinline: true, 'aria-label': data.alt,
    }, data.webm && el('source', { src: data.webm, type: 'video/webm' }),
      el('source', { src: data.video, type: 'video/mp4' }));
  }

  // The media window: Play, Pause, Stop and the progress, the film under them.
  function player(action) {
    const data = action.show;
    const win = windowBox(book.captions.media, 'q-player');
    const media = mediaElement(data);
    const progress = el('progress', { max: '1', value: '0', 'aria-label': data.alt });
    media.addEventListener('timeupdate', () => {
      progress.max = media.duration || 1;
      progress.value = media.currentTime;
    });
    const play = () => media.play().catch((error) => {
      if (error.name !== 'AbortError') cannotPlay(); // a Pause before it began
    });
    const stop = () => {
      media.pause();
      media.currentTime = 0;
    };
    win.body.append(el('div', { class: 'q-controls' }, button(words.play, play),
      button(words.pause, () => media.pause()), button(words.stop, stop), progress), media);
    let layer = null;
    win.buttons.append(button(book.captions.close, () => layer.close()));
    layer = openLayer(win.node);
    layer.done.then(() => media.pause());
    return layer.done;
  }

  // ---- find and print ------------------------------------------------------------------

  // Finds what, in any letter case, in the text after position from.
  function search(text, what, from) {
    const walker = document.createTreeWalker(text, NodeFilter.SHOW_TEXT);
    const pieces = [];
    let all = '';
    for (let node = walker.nextNode(); node; node = walker.nextNode()) {
      pieces.push({ node, start: all.length });
      all += node.data;
    }
    const pattern = new RegExp(what.replace(/[.*+?^${}()|[\]\\]/g, '\\$&'), 'giu');
    pattern.lastIndex = from;
    const match = pattern.exec(all);
    if (!match) return null;
    const end = match.index + match[0].length;
    const at = (offset, isEnd) => {
      const piece = pieces.find((p) => (isEnd ? offset > p.start : offset >= p.start) &&
        offset <= p.start + p.node.data.length);
      return [piece.node, offset - piece.start];
    };
    const range = document.createRange();
    range.setStart(...at(match.index, false));
    range.setEnd(...at(end, true));
    return { range, end };
  }

  function reveal(text, range) {
    const selection = getSelection();
    selection.removeAllRanges();
    selection.addRange(range);
    const frame = text.getBoundingClientRect();
    const scale = frame.height / text.offsetHeight || 1;
    const found = range.getBoundingClientRect();
    const top = (found.top - frame.top) / scale;
    if (top < 0 || top + found.height / scale > text.clientHeight) {
      text.scrollTop += top - text.clientHeight / 3;
    }
  }

  // The Find window is modeless, as on the desktop: the text stays in reach beside it.
  // The Find box moves to the other end of the screen when it would hide what it found.
  function stepAside(node, range) {
    const box = node.getBoundingClientRect();
    const found = range.getBoundingClientRect();
    const covers = found.left < box.right && found.right > box.left &&
      found.top < box.bottom && found.bottom > box.top;
    if (covers) node.classList.toggle('q-low');
  }

  function findIn(text) {
    const win = windowBox(words.findTitle, 'q-find');
    win.node.setAttribute('aria-modal', 'false');
    const id = uid();
    const input = el('input', { id, type: 'text', class: 'q-find-input', autocomplete: 'off' });
    win.body.append(label(el('label', { for: id }), words.findWhat), input);
    let from = 0;
    const next = async () => {
      if (!input.value) return say(words.findTitle, words.noFind);
      const found = search(text, input.value, from);
      if (!found) return say(words.findTitle, words.notFound.replace('%1', input.value));
      from = found.end;
      reveal(text, found.range);
      stepAside(win.node, found.range);
      return undefined;
    };
    input.addEventListener('keydown', (event) => {
      if (event.key !== 'Enter') return;
      event.preventDefault();
      next();
    });
    let layer = null;
    win.buttons.append(button(words.findNext, next), button(words.cancel, () => layer.close()));
    layer = openLayer(win.node, { focus: input, modeless: true });
    return layer.done;
  }

  // Prints the text window alone: a copy of it is the only thing the print style shows.
  function printText(text) {
    let sheet = document.getElementById('q-print');
    if (!sheet) {
      sheet = el('div', { id: 'q-print' });
      document.body.append(sheet);
    }
    const copy = el('div', { lang: text.lang, dir: text.dir });
    copy.append(...[...text.childNodes].map((node) => node.cloneNode(true)));
    sheet.replaceChildren(copy);
    window.print();
  }

  // ---- the book ------------------------------------------------------------------------

  const STEPS = {
    opening: () => book.opening && run(book.opening),
    closing: () => book.closing && run(book.closing),
    about: aboutBox,
    intro: () => book.intro && showScreen(book.intro, {}, false),
    contents: contents,
    chapter: () => openChapter(1),
  };

  async function play() {
    if (book.needsTap) await greet(book.title, words.openBook);
    if (book.background && book.background.message) await say(book.title, book.background.message);
    for (;;) {
      for (const step of book.steps) if (STEPS[step]) await STEPS[step]();
      await greet(words.closed, words.openAgain);
    }
  }

  // The design box scaled whole to the window, never above 2x; a phone gets a column instead.
  function fit() {
    const width = document.documentElement.clientWidth;
    const height = document.documentElement.clientHeight;
    const wasPhone = phone;
    phone = width < DESIGN_WIDTH;
    root.classList.toggle('q-phone', phone);
    if (phone) {
      box.style.transform = '';
    } else {
      const scale = Math.min(width / DESIGN_WIDTH, height / DESIGN_HEIGHT, MAX_SCALE);
      const left = (width - DESIGN_WIDTH * scale) / 2;
      const top = (height - DESIGN_HEIGHT * scale) / 2;
      box.style.transform = 'translate(' + left + 'px, ' + top + 'px) scale(' + scale + ')';
    }
    if (phone !== wasPhone) root.querySelectorAll('.q-rich').forEach(readable);
  }

  // Served over http(s), the edition installs and keeps itself for offline reading; from a
  // file there is no worker and no manifest (the browser refuses both there), and a book in one
  // page has neither.
  function offline() {
    if (location.protocol !== 'http:' && location.protocol !== 'https:') return;
    if (root.dataset.single) return;
    document.head.append(el('link', { rel: 'manifest', href: 'manifest.webmanifest' }));
    if (!('serviceWorker' in navigator)) return;
    navigator.serviceWorker.register('sw.js', { updateViaCache: 'none' }).catch(() => {
      // no worker (an insecure address): the book plays, only not offline
    });
  }

  function start() {
    document.documentElement.lang = book.lang;
    document.documentElement.dir = book.dir;
    document.title = book.title;
    root = document.getElementById('quorelle');
    const backdrop = el('div', { class: 'q-backdrop' });
    paint(backdrop, book.background);
    box = el('div', { class: 'q-box' });
    root.replaceChildren(backdrop, box);
    window.addEventListener('resize', fit);
    document.addEventListener('keydown', onKey);
    fit();
    offline();
    play();
  }
})();
