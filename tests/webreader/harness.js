// The browser, the little web server and the page's watchers that every test of the web edition
// uses: Debian's Chromium driven by puppeteer-core, both from build/webtest.
'use strict';
const assert = require('node:assert/strict');
const fs = require('node:fs');
const http = require('node:http');
const path = require('node:path');

const ROOT = path.join(__dirname, '..', '..');
const MODULES = path.join(ROOT, 'build', 'webtest', 'node_modules');
const puppeteer = require(path.join(MODULES, 'puppeteer-core'));
const AXE = fs.readFileSync(path.join(MODULES, 'axe-core', 'axe.min.js'), 'utf8');
const SHOTS = '/tmp/webshots';

const DESKTOP = { width: 1280, height: 800 };
const PHONE = { width: 390, height: 844, deviceScaleFactor: 2, isMobile: true, hasTouch: true };

const TYPES = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8', '.webmanifest': 'application/manifest+json',
  '.png': 'image/png', '.jpg': 'image/jpeg', '.jpeg': 'image/jpeg', '.mp3': 'audio/mpeg',
  '.mp4': 'video/mp4', '.webm': 'video/webm', '.wav': 'audio/wav', '.txt': 'text/plain',
};

function launch() {
  return puppeteer.launch({
    executablePath: '/usr/bin/chromium', headless: true, args: ['--no-sandbox'],
  });
}

// Serves the edition's folder alone, on 127.0.0.1; the same port again after a stop.
function serve(dir, port = 0) {
  const server = http.createServer((request, response) => {
    let name = decodeURIComponent(new URL(request.url, 'http://host').pathname);
    if (name.endsWith('/')) name += 'index.html';
    const file = path.join(dir, path.normalize(name));
    fs.readFile(file, (error, body) => {
      if (error || !file.startsWith(dir + path.sep)) {
        response.writeHead(404).end();
        return;
      }
      const type = TYPES[path.extname(file).toLowerCase()] || 'application/octet-stream';
      response.writeHead(200, { 'Content-Type': type, 'Cache-Control': 'no-cache' }).end(body);
    });
  });
  return new Promise((resolve) => server.listen(port, '127.0.0.1', () => {
    const url = `http://127.0.0.1:${server.address().port}/`;
    resolve({
      url, port: server.address().port,
      stop: () => new Promise((done) => { server.close(done); server.closeAllConnections(); }),
    });
  }));
}

// Before the book's scripts: print and window.open are recorded instead of done.
function stubs() {
  window.quorelleTest = { printed: [], opened: [] };
  window.print = () => {
    const sheet = document.getElementById('q-print');
    window.quorelleTest.printed.push(sheet ? sheet.textContent : '');
  };
  window.open = (...args) => {
    window.quorelleTest.opened.push(args);
    return null;
  };
}

// Opens the book in a page that records console errors and warnings, uncaught errors, and
// every request outside the edition's folder (refused, when intercepting).
async function openBook(context, folderUrl, options = {}) {
  const { viewport = DESKTOP, intercept = true, before, page: name = 'index.html' } = options;
  const page = await context.newPage();
  const log = { problems: [], outside: [] };
  page.on('console', (message) => {
    if (message.type() === 'error' || message.type() === 'warn') {
      log.problems.push(`${message.type()}: ${message.text()}`);
    }
  });
  page.on('pageerror', (error) => log.problems.push('uncaught: ' + error.message));
  const inside = (url) => url.startsWith(folderUrl) || /^(data|blob):/.test(url);
  if (intercept) await page.setRequestInterception(true);
  page.on('request', (request) => {
    if (!inside(request.url())) log.outside.push(request.url());
    if (intercept) inside(request.url()) ? request.continue() : request.abort();
  });
  await page.evaluateOnNewDocument(stubs);
  if (before) await before(page);
  await page.setViewport(viewport);
  await page.goto(folderUrl + name);
  return { page, log };
}

function assertClean(log) {
  assert.deepEqual(log.problems, [], 'console errors or warnings');
  assert.deepEqual(log.outside, [], 'requests outside the edition');
}

// Polls fn in the page until it returns something truthy, for at most timeout ms.
async function until(page, fn, arg, what, timeout = 5000) {
  const end = Date.now() + timeout;
  for (;;) {
    const value = await page.evaluate(fn, arg);
    if (value) return value;
    if (Date.now() > end) throw new Error('waited in vain for ' + what);
    await new Promise((resolve) => setTimeout(resolve, 25));
  }
}

// axe-core from its file. Evaluated, not added as a script tag: the edition's policy refuses
// inline scripts, and the test must not loosen it.
async function checkAxe(page, where) {
  if (!(await page.evaluate(() => 'axe' in window))) await page.evaluate(AXE);
  const found = await page.evaluate(async () => {
    // No preload: axe would fetch the style sheets, which a page from a file may not.
    const result = await window.axe.run(document, { resultTypes: ['violations'], preload: false });
    return result.violations.filter((v) => v.impact === 'critical' || v.impact === 'serious')
      .map((v) => `${v.id} (${v.impact}): ${v.nodes.map((n) => n.target.join(' ')).join(', ')}`);
  });
  assert.deepEqual(found, [], 'accessibility on ' + where);
}

async function shoot(page, name) {
  fs.mkdirSync(SHOTS, { recursive: true });
  await page.screenshot({ path: path.join(SHOTS, name + '.png') });
}

module.exports = { DESKTOP, PHONE, launch, serve, openBook, assertClean, until, checkAxe, shoot };
