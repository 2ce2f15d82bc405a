#!/usr/bin/env node
// Times the tables of the ten published deals (tests/data/bridge_pbn10.tsv)
// in headless Chromium, on the built page, against the native ddtable on one
// thread; checks that the page gives the published tables; prints both times
// (medians of three rounds), their ratio and the size of the WebAssembly file.
//
// Usage: node bench/web_tables.js OUTDIR DDTABLE
//   OUTDIR   the page built by web/build.sh
//   DDTABLE  the native program (build/ddtable)
// Needs the browser test's packages: npm ci in tests/web.
//
// The browser's time is the worker's own, from the first strain's solve to
// the table's last (one worker for all ten, as one ddtable process solves
// them all); the native time is the whole ddtable run, its start included.
'use strict';
const { execFileSync } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { serve, launch, publishedDeals, readTable, enterDeal } = require('../tests/web/lib');

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

async function browserRound(page, base, deals) {
  await page.goto(base);
  await page.waitForFunction(() => document.getElementById('status').textContent === 'Ready');
  let total = 0;
  for (const [i, deal] of deals.entries()) {
    if (await enterDeal(page, deal.deal, deal.dealer, deal.vul) !== 'solved') throw new Error(`deal ${i + 1} not solved`);
    const shown = await readTable(page);
    if (shown.tricks.join(' ') !== deal.table.join(' ')) throw new Error(`deal ${i + 1}: table differs`);
    total += shown.ms;
  }
  return total;
}

function nativeRound(ddtable, file) {
  const start = process.hrtime.bigint();
  execFileSync(ddtable, ['-j', '1', '--quiet', '--vul', 'None', file]);
  return Number(process.hrtime.bigint() - start) / 1e6;
}

async function main() {
  const [dir, ddtable] = process.argv.slice(2);
  if (!dir || !ddtable) {
    console.error('usage: node bench/web_tables.js OUTDIR DDTABLE');
    process.exit(2);
  }
  const deals = publishedDeals();
  const file = path.join(fs.mkdtempSync(path.join(os.tmpdir(), 'ddweb-bench-')), 'deals.txt');
  fs.writeFileSync(file, deals.map((d) => d.deal).join('\n') + '\n');

  const server = await serve(path.resolve(dir));
  const browser = await launch();
  const page = await browser.newPage();
  const browserTimes = [];
  const nativeTimes = [];
  for (let round = 0; round < 3; ++round) {
    browserTimes.push(await browserRound(page, `${server.url}/index.html`, deals));
    nativeTimes.push(nativeRound(ddtable, file));
  }
  await browser.close();
  await server.close();
  fs.rmSync(path.dirname(file), { recursive: true, force: true });

  const web = median(browserTimes);
  const native = median(nativeTimes);
  const wasm = fs.statSync(path.join(dir, 'ddsolver.wasm')).size;
  console.log(`ten tables, browser (headless Chromium, one worker): ${web.toFixed(0)} ms`);
  console.log(`ten tables, native ddtable -j 1:                    ${native.toFixed(0)} ms`);
  console.log(`browser / native: ${(web / native).toFixed(2)}`);
  console.log(`ddsolver.wasm: ${wasm} bytes (${(wasm / 1024).toFixed(0)} KiB)`);
}

main().catch((error) => {
  console.error(error.message || error);
  process.exit(1);
});
