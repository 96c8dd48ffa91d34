// Keeps the whole edition in a cache, so that once visited the book opens offline. files.js names
// every file and the edition's version: a new edition fills a new cache and drops the old one.
importScripts('files.js');

const SCOPE = self.registration.scope;
const PREFIX = 'quorelle ' + SCOPE + ' ';
const CACHE = PREFIX + self.QUORELLE_VERSION;

async function install() {
  // Past the browser's HTTP cache, so that a new edition never keeps an old file.
  const requests = self.QUORELLE_FILES.map((file) => new Request(file, { cache: 'reload' }));
  await (await caches.open(CACHE)).addAll(requests);
  await self.skipWaiting();
}

async function activate() {
  // Other editions on the same site have caches of their own: only this folder's old ones go.
  const old = (await caches.keys()).filter((key) => key.startsWith(PREFIX) && key !== CACHE);
  await Promise.all(old.map((key) => caches.delete(key)));
  await self.clients.claim();
}

self.addEventListener('install', (event) => event.waitUntil(install()));
self.addEventListener('activate', (event) => event.waitUntil(activate()));

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || !request.url.startsWith(SCOPE)) return;
  event.respondWith(answer(request));
});

async function answer(request) {
  const url = new URL(request.url);
  url.search = '';
  url.hash = '';
  if (url.href === SCOPE) url.href = SCOPE + 'index.html';
  const kept = await (await caches.open(CACHE)).match(url.href);
  if (!kept) return fetch(request);
  const range = request.headers.get('range');
  return range ? part(kept, range) : kept;
}

// Sounds and films ask for byte ranges; the whole file in the cache answers them.
async function part(response, range) {
  const bytes = /^bytes=(\d*)-(\d*)$/.exec(range.trim());
  if (!bytes || (!bytes[1] && !bytes[2])) return response;
  const body = await response.blob();
  const size = body.size;
  const start = bytes[1] ? Number(bytes[1]) : Math.max(0, size - Number(bytes[2]));
  const end = bytes[1] && bytes[2] ? Math.min(Number(bytes[2]), size - 1) : size - 1;
  if (start >= size || start > end) {
    return new Response(null, { status: 416, headers: { 'Content-Range': 'bytes */' + size } });
  }
  return new Response(body.slice(start, end + 1), {
    status: 206,
    headers: {
      'Content-Type': response.headers.get('Content-Type') || '',
      'Content-Range': 'bytes ' + start + '-' + end + '/' + size,
      'Content-Length': String(end - start + 1),
      'Accept-Ranges': 'bytes',
    },
  });
}
