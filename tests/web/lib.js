// What the browser test and the bench share: a static file server for the
// built page, headless Chromium through puppeteer-core, and the steps that
// load a deal and read its table back.
'use strict';
const fs = require('fs');
const http = require('http');
const os = require('os');
const path = require('path');
const puppeteer = require('puppeteer-core');

const ROOT = path.resolve(__dirname, '..', '..');
const TYPES = {
  '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css',
  '.wasm': 'application/wasm', '.png': 'image/png', '.svg': 'image/svg+xml',
};

// Serves `dir` on a free localhost port; resolves to {url, close}.
function serve(dir) {
  const server = http.createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
    const file = path.join(dir, name === '/' ? 'index.html' : name);
    if (!file.startsWith(path.resolve(dir)) || !fs.existsSync(file) || fs.statSync(file).isDirectory()) {
      response.writeHead(404);
      response.end('not found');
      return;
    }
    response.writeHead(200, { 'Content-Type': TYPES[path.extname(file)] || 'application/octet-stream' });
    fs.createReadStream(file).pipe(response);
  });
  return new Promise((resolve) => {
    server.listen(0, '127.0.0.1', () => resolve({
      url: `http://127.0.0.1:${server.address().port}`,
      close: () => new Promise((done) => server.close(done)),
    }));
  });
}

// Headless Chromium with a fresh profile and nothing that reaches the network.
async function launch() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'ddweb-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      `--user-data-dir=${profile}`],
  });
  const close = browser.close.bind(browser);
  browser.close = async () => {
    await close();
    fs.rmSync(profile, { recursive: true, force: true });
  };
  return browser;
}

// The ten published deals: dealer, vulnerability, deal, the table (20
// numbers, strains S H D C NT, each declarer N E S W) and the dealer's par.
function publishedDeals() {
  const lines = fs.readFileSync(path.join(ROOT, 'tests/data/bridge_pbn10.tsv'), 'utf8')
    .trim().split('\n').slice(1);
  return lines.map((line) => {
    const f = line.split('\t');
    return { dealer: f[0], vul: f[1], deal: f[2], table: f[3].split(' ').map(Number), par: Number(f[8]) };
  });
}

async function waitSolved(page, timeout = 60000) {
  await page.waitForFunction(() => ['solved', 'error'].includes(document.body.dataset.state) &&
    !document.querySelector('#dd-table td.pending') || document.body.dataset.state === 'error',
  { timeout });
  return page.evaluate(() => document.body.dataset.state);
}

// The table as the page shows it, in the order of publishedDeals, and the par text.
async function readTable(page) {
  return page.evaluate(() => {
    const tricks = [];
    for (const strain of ['S', 'H', 'D', 'C', 'NT']) {
      for (const seat of ['N', 'E', 'S', 'W']) {
        const cell = document.querySelector(`#dd-table [data-declarer="${seat}"][data-strain="${strain}"]`);
        tricks.push(cell ? Number(cell.textContent) : NaN);
      }
    }
    return { tricks, par: document.getElementById('par').textContent.trim(),
      ms: Number(document.getElementById('dd-table').dataset.ms) };
  });
}

// Enters a deal in the text box and solves it.
async function enterDeal(page, text, dealer, vul) {
  await page.$eval('#deal-input', (box, value) => { box.value = value; }, text);
  if (dealer) await page.select('#dealer', dealer);
  if (vul) await page.select('#vul', vul);
  await page.click('#load');
  await page.waitForFunction(() => document.body.dataset.state !== 'solved');
  return waitSolved(page);
}

module.exports = { ROOT, serve, launch, publishedDeals, waitSolved, readTable, enterDeal };
