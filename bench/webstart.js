// Times a web edition's start in headless Chromium, from opening index.html (file://) to its
// table of contents painted, for the 200-chapter book bench_web writes and for the same book of
// 10 chapters, in turns (A B A B), each in a fresh browser page; prints the medians.
//   build/ci/bin/bench_web --edition /tmp/web/big && node bench/webstart.js /tmp/web/big
// (puppeteer-core from build/webtest: tests/webreader/install-deps installs it.)
'use strict';
const path = require('node:path');
const puppeteer = require(path.join(__dirname, '..', 'build', 'webtest', 'node_modules',
  'puppeteer-core'));

const big = path.resolve(process.argv[2] || '/tmp/web/big');
const small = big + '-10';
const turns = 7;

// Milliseconds from the navigation's start to the frame after the chapter list appeared.
async function start(browser, folder) {
  const page = await browser.newPage();
  await page.setViewport({ width: 1024, height: 768 });
  await page.goto('file://' + path.join(folder, 'index.html'), { waitUntil: 'domcontentloaded' });
  const ms = await page.evaluate(() => new Promise((resolve) => {
    const painted = () => requestAnimationFrame(() => resolve(performance.now()));
    const look = () => (document.querySelector('[role="listbox"] [role="option"]')
      ? painted() : requestAnimationFrame(look));
    look();
  }));
  await page.close();
  return ms;
}

function median(figures) {
  const sorted = [...figures].sort((a, b) => a - b);
  return sorted[Math.floor(sorted.length / 2)];
}

(async () => {
  const browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium', headless: true,
    args: ['--no-sandbox', '--allow-file-access-from-files'],
  });
  const times = { big: [], small: [] };
  await start(browser, small); // the browser's own first start is not the book's
  for (let turn = 0; turn < turns; turn++) {
    times.big.push(await start(browser, big));
    times.small.push(await start(browser, small));
  }
  await browser.close();
  const b = median(times.big);
  const s = median(times.small);
  console.log(`start to the painted table of contents (medians of ${turns}, in turns):`);
  console.log(`  200 chapters ${b.toFixed(1)} ms (target 300 ms) ${b <= 300 ? 'ok' : 'MISSED'}`);
  console.log(`  10 chapters  ${s.toFixed(1)} ms   200/10 ${(b / s).toFixed(2)} (flat: near 1)`);
})().catch((error) => { console.error(error); process.exit(1); });
