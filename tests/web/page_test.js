// The analysis page in headless Chromium, served from a built OUTDIR:
//   node page_test.js OUTDIR --ddplay PATH [--screenshot FILE]
// Checks that the page loads and deals at random; that each of the ten
// published deals, given in the URL, shows the published table and par, and
// par follows the dealer and vulnerability chosen; that clicking through a
// board read from a hand-viewer URL shows every legal card's value as the
// native ddplay gives it (--ddplay, run with --all-cards) and marks the
// cards that cost tricks; that a PBN game's play replays card by card with
// ddplay's costs; that bad input brings a message and the page goes on
// working; that a simulation gives ddsim's histogram and leads (ddsim
// beside ddplay); and that the page fits a
// phone's width. Writes a screenshot of a solved deal when asked.
'use strict';
const assert = require('assert');
const { execFileSync } = require('child_process');
const fs = require('fs');
const path = require('path');
const { ROOT, serve, launch, publishedDeals, waitSolved, readTable, enterDeal } = require('./lib');

function options() {
  const args = process.argv.slice(2);
  const out = { dir: null, ddplay: null, screenshot: null };
  for (let i = 0; i < args.length; ++i) {
    if (args[i] === '--ddplay') out.ddplay = args[++i];
    else if (args[i] === '--screenshot') out.screenshot = args[++i];
    else out.dir = args[i];
  }
  if (!out.dir || !out.ddplay) {
    console.error('usage: node page_test.js OUTDIR --ddplay PATH [--screenshot FILE]');
    process.exit(2);
  }
  return out;
}

const checks = [];
function check(name, run) {
  checks.push({ name, run });
}

// Board 3 of the played boards, as a hand-viewer URL, and ddplay's review of it.
function playedBoard(ddplay) {
  const lin = fs.readFileSync(path.join(ROOT, 'tests/data/bridge_play20.lin'), 'utf8').split('\n')[2];
  const review = JSON.parse(execFileSync(ddplay, ['--format', 'json', '--all-cards', '--quiet', '-j', '1', '-'],
    { input: `${lin}\n` }).toString().trim().split('\n')[0]);
  return { url: `https://www.bridgebase.com/tools/handviewer.html?lin=${encodeURIComponent(lin)}`, review };
}

async function main() {
  const opts = options();
  const server = await serve(path.resolve(opts.dir));
  const browser = await launch();
  const page = await browser.newPage();
  const pageErrors = [];
  page.on('pageerror', (error) => pageErrors.push(error.message));
  await page.setViewport({ width: 1100, height: 900 });
  const base = `${server.url}/index.html`;

  check('the page loads with the solver ready', async () => {
    await page.goto(base);
    await page.waitForFunction(() => document.getElementById('status').textContent === 'Ready');
    assert.strictEqual(await page.$$eval('#dd-table td[data-declarer][data-strain]', (cells) => cells.length), 20);
    await page.click('#random');
    await page.waitForFunction(() => document.body.dataset.state === 'solved');
    const { tricks } = await readTable(page);
    assert.ok(tricks.every((n) => n >= 0 && n <= 13), `random deal's table ${tricks}`);
    assert.match(await page.$eval('#deal-input', (box) => box.value), /^N:(\S+ ){3}\S+$/);
  });

  check('changing dealer and vulnerability gives their par', async () => {
    const deal = publishedDeals().find((d) => d.vul !== 'None' && d.dealer !== 'N');
    await page.goto(`${base}?${new URLSearchParams({ deal: deal.deal, vul: 'None', dealer: 'N' })}`);
    await waitSolved(page);
    await page.select('#vul', deal.vul);
    await page.select('#dealer', deal.dealer);
    await page.waitForFunction((par) => document.getElementById('par').textContent === String(par), {}, deal.par);
    assert.match(page.url(), new RegExp(`vul=${deal.vul}&dealer=${deal.dealer}`));
  });

  check('the ten published deals give their tables and par', async () => {
    for (const [i, deal] of publishedDeals().entries()) {
      const query = new URLSearchParams({ deal: deal.deal, vul: deal.vul, dealer: deal.dealer });
      await page.goto(`${base}?${query}`);
      assert.strictEqual(await waitSolved(page), 'solved', `deal ${i + 1} not solved`);
      const shown = await readTable(page);
      assert.deepStrictEqual(shown.tricks, deal.table, `deal ${i + 1}: table`);
      assert.strictEqual(Number(shown.par), deal.par, `deal ${i + 1}: par`);
    }
  });

  check('clicking through a played board shows the native values', async () => {
    const { url, review } = playedBoard(opts.ddplay);
    await page.goto(base);
    assert.strictEqual(await enterDeal(page, url), 'solved');
    const declarerSide = 'NS'.includes(review.declarer) ? 'NS' : 'EW';
    for (const [k, card] of review.cards.entries()) {
      await page.waitForFunction((n) => document.body.dataset.state === 'solved' &&
        document.getElementById('play-log').dataset.played === String(n), {}, k);
      const shown = await page.$$eval('button.card[data-value]', (buttons) =>
        Object.fromEntries(buttons.map((b) => [b.dataset.card, Number(b.dataset.value)])));
      // ddplay gives declarer's side's tricks; the page the side to play's.
      const ours = 'NS'.includes(card.seat) === (declarerSide === 'NS');
      const expected = Object.fromEntries(Object.entries(card.values)
        .map(([c, v]) => [c, ours ? v : 13 - v]));
      assert.deepStrictEqual(shown, expected, `card ${k + 1} (${card.seat} ${card.card})`);
      await page.click(`button.card[data-card="${card.card}"]`);
    }
    await page.waitForFunction((n) => document.body.dataset.state === 'solved' &&
      document.getElementById('play-log').dataset.played === String(n), {}, review.cards.length);
    const costs = await page.$$eval('#play-log .played', (items) =>
      items.map((item) => { const m = /−(\d+)$/.exec(item.textContent); return m ? Number(m[1]) : 0; }));
    assert.deepStrictEqual(costs, review.cards.map((c) => c.cost), 'costs');
    // The URL holds the play: opening it again shows the same position.
    const shared = page.url();
    assert.match(shared, /play=/);
    await page.goto(shared);
    await page.waitForFunction((n) => document.body.dataset.state === 'solved' &&
      document.getElementById('play-log').dataset.played === String(n), {}, review.cards.length);
    // Undo takes the last card back, redo plays it again.
    await page.click('#undo');
    await page.waitForFunction((n) => document.body.dataset.state === 'solved' &&
      document.getElementById('play-log').dataset.played === String(n), {}, review.cards.length - 1);
    await page.click('#redo');
    await page.waitForFunction((n) => document.body.dataset.state === 'solved' &&
      document.getElementById('play-log').dataset.played === String(n), {}, review.cards.length);
  });

  check('an imported PBN game replays by Redo with each card\'s cost', async () => {
    const games = fs.readFileSync(path.join(ROOT, 'tests/data/bridge_play20.pbn'), 'utf8');
    const game = games.split(/\n\s*\n/).find((text) => text.includes('[Board "3"]'));
    const review = JSON.parse(execFileSync(opts.ddplay, ['--format', 'json', '--quiet', '-j', '1', '-'],
      { input: `${game}\n` }).toString().trim());
    await page.goto(base);
    assert.strictEqual(await enterDeal(page, game), 'solved');
    assert.strictEqual(await page.$eval('#play-strain', (s) => s.value), review.strain);
    assert.strictEqual(await page.$eval('#play-declarer', (s) => s.value), review.declarer);
    await page.waitForFunction(() => document.getElementById('play-log').dataset.played === '0');
    for (let k = 1; k <= review.cards.length; ++k) {
      await page.waitForFunction(() => !document.getElementById('redo').disabled &&
        document.body.dataset.state === 'solved');
      await page.click('#redo');
      await page.waitForFunction((n) => document.body.dataset.state === 'solved' &&
        document.getElementById('play-log').dataset.played === String(n), {}, k);
    }
    const costs = await page.$$eval('#play-log .played', (items) =>
      items.map((item) => { const m = /−(\d+)$/.exec(item.textContent); return m ? Number(m[1]) : 0; }));
    assert.deepStrictEqual(costs, review.cards.map((c) => c.cost));
    assert.ok(costs.some((cost) => cost > 0), 'the board has costly cards');
  });

  check('bad input shows a message and the page keeps working', async () => {
    const deal = publishedDeals()[0];
    await page.goto(base);
    for (const bad of ['N:AKQ.JT9.876.5432 nonsense', 'N:AK.. ... ... ...', '[Deal "N:AAA.. - - -"]',
      'pn|x|md|3SAK|', 'hello']) {
      assert.strictEqual(await enterDeal(page, bad), 'error', bad);
      const message = await page.$eval('#message', (box) => (box.hidden ? '' : box.textContent));
      assert.ok(message.length > 5 && message.length < 200, `message for ${bad}: "${message}"`);
    }
    assert.strictEqual(await enterDeal(page, deal.deal, deal.dealer, deal.vul), 'solved');
    assert.deepStrictEqual((await readTable(page)).tricks, deal.table);
    assert.strictEqual(await page.$eval('#message', (box) => box.hidden), true);
    await page.goto(`${base}?deal=${encodeURIComponent('N:XYZ')}`);
    assert.strictEqual(await waitSolved(page), 'error');
    assert.ok((await page.$eval('#message', (box) => box.textContent)).length > 5);
  });

  check('a simulation gives ddsim\'s histogram and leads, a bad constraint a message', async () => {
    const ddsim = path.join(path.dirname(opts.ddplay), 'ddsim');
    const native = (args) => JSON.parse(execFileSync(ddsim, [...args, '--format', 'json', '-j', '1']).toString());
    const run = async (deal, where, deals) => {
      await page.$eval('#sim-deal', (box, value) => { box.value = value; }, deal);
      await page.$eval('#sim-contract', (box) => { box.value = '4S-S'; });
      await page.$eval('#sim-deals', (box, value) => { box.value = value; }, String(deals));
      await page.$eval('#sim-where', (box, value) => { box.value = value; }, where);
      await page.$eval('#sim-make', (p) => { p.textContent = ''; });
      await page.click('#sim-run');
      await page.waitForFunction(() => !document.getElementById('sim-run').disabled &&
        (document.getElementById('sim-make').textContent || !document.getElementById('message').hidden),
      { timeout: 60000 });
    };
    await page.goto(`${base}?deal=${encodeURIComponent(publishedDeals()[1].deal)}`);
    await waitSolved(page);
    await page.click('#tab-sim');
    const known = 'N:KQ72.A93.KJ4.J82 - AJ854.K6.A52.Q93 -';
    await run(known, 'hcp(W) >= 11 ||', 60);
    assert.match(await page.$eval('#message', (box) => box.textContent), /constraint/);
    await run(known, 'hcp(W) >= 8', 60);
    const expected = native(['--deal', known, '--contract', '4S-S', '-n', '60', '--where', 'hcp(W) >= 8']);
    const bars = await page.$$eval('#sim-chart rect', (rects) =>
      Object.fromEntries(rects.map((r) => [r.dataset.tricks, Number(r.dataset.deals)])));
    expected.contracts[0].tricks.forEach((deals, tricks) => assert.strictEqual(bars[tricks] || 0, deals, `${tricks} tricks`));
    assert.strictEqual(Number(await page.$eval('#sim-make', (p) => p.dataset.makePercent)),
      Number(expected.contracts[0].make_pct.toFixed(1)));
    // With the leader's hand known, each opening lead's average.
    const withLeader = 'N:KQ72.A93.KJ4.J82 - AJ854.K6.A52.Q93 T9.QJT8.Q98.AK76';
    await run(withLeader, '', 20);
    const leads = native(['--deal', withLeader, '--contract', '4S-S', '-n', '20', '--leads', 'W']).leads;
    const shown = await page.$$eval('#sim-leads tbody tr', (rows) =>
      rows.map((row) => [row.dataset.card, Number(row.dataset.defenceTricks)]));
    assert.deepStrictEqual(shown, leads.map((lead) => [lead.card, lead.defence_tricks]));
  });

  check('the page fits a phone\'s width', async () => {
    await page.setViewport({ width: 390, height: 844 });
    await page.goto(`${base}?deal=${encodeURIComponent(publishedDeals()[0].deal)}`);
    await waitSolved(page);
    const wide = await page.evaluate(() => document.documentElement.scrollWidth);
    assert.ok(wide <= 390, `the page is ${wide} px wide`);
    await page.setViewport({ width: 1100, height: 900 });
  });

  let failed = 0;
  for (const { name, run } of checks) {
    try {
      await run();
      console.log(`ok   ${name}`);
    } catch (error) {
      failed += 1;
      console.log(`FAIL ${name}\n     ${error.message.split('\n').join('\n     ')}`);
    }
  }
  if (pageErrors.length) {
    failed += 1;
    console.log(`FAIL errors in the page:\n     ${pageErrors.join('\n     ')}`);
  }

  if (opts.screenshot) {
    const deal = publishedDeals()[0];
    const query = new URLSearchParams({ deal: deal.deal, vul: deal.vul, dealer: deal.dealer,
      strain: 'S', declarer: 'W', play: 'CT,CQ,CA,C3,SK,SA' });
    await page.setViewport({ width: 1000, height: 760 });
    await page.goto(`${base}?${query}`);
    await page.waitForFunction(() => document.body.dataset.state === 'solved' &&
      document.getElementById('play-log').dataset.played === '6');
    await page.screenshot({ path: opts.screenshot, fullPage: true });
    console.log(`screenshot: ${opts.screenshot}`);
  }
  await browser.close();
  await server.close();
  console.log(failed ? `${failed} of ${checks.length} checks failed` : `all ${checks.length} checks passed`);
  process.exit(failed ? 1 : 0);
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
