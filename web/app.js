// The analysis page: reads a deal, shows the four hands, solves the table
// and par in the worker, lets the user play cards with every legal card's
// value shown, and runs short simulations. The URL carries the deal, the
// contract played and the cards played, so any position can be shared.
import { drawHistogram } from './chart.js';

const SEATS = ['N', 'E', 'S', 'W'];
const STRAINS = ['S', 'H', 'D', 'C', 'NT'];  // the table's order, as the module gives it
const ROWS = ['NT', 'S', 'H', 'D', 'C'];     // the order the page shows
const COLUMNS = ['N', 'S', 'E', 'W'];
const SUIT_SYMBOL = { S: '♠', H: '♥', D: '♦', C: '♣', NT: 'NT' };
const RANK_ORDER = 'AKQJT98765432';

const $ = (id) => document.getElementById(id);

// ---- The worker ----------------------------------------------------------

const worker = new Worker(new URL('./worker.js', import.meta.url), { type: 'module' });
let nextRequest = 1;
const pending = new Map();

worker.onmessage = (event) => {
  const { id, result, progress } = event.data;
  const request = pending.get(id);
  if (!request) return;
  if (progress !== undefined) {
    if (request.onProgress) request.onProgress(progress);
    return;
  }
  pending.delete(id);
  request.resolve(result);
};
worker.onerror = () => {
  for (const request of pending.values()) request.resolve({ error: 'the solver could not be loaded' });
  pending.clear();
  showMessage('The solver could not be loaded: this page needs a browser with WebAssembly and module workers.');
  setState('error');
};

function ask(op, args, onProgress) {
  return new Promise((resolve) => {
    const id = nextRequest++;
    pending.set(id, { resolve, onProgress });
    worker.postMessage({ id, op, args });
  });
}

// ---- Page state ----------------------------------------------------------

const state = {
  deal: null,        // PBN from North
  hands: null,       // {N: [[spades], [hearts], [diamonds], [clubs]], ...}
  dealer: 'N',
  vul: 'None',
  tricks: null,      // the table: 20 numbers, strains S H D C NT, each N E S W
  par: null,
  strain: 'NT',
  declarer: 'N',
  played: [],        // the cards played, in order
  future: [],        // the cards undone or still to come of an imported play
  costs: [],         // each played card's cost, when known
  board: null,       // an imported board: its name, contract, strain and declarer
  values: null,      // the legal cards' values in the position shown
  position: null,
};
let positionRequest = 0;  // answers to older position requests are dropped
let loadRequest = 0;

function setState(value) {
  document.body.dataset.state = value;
}

function showMessage(text) {
  const box = $('message');
  box.textContent = text;
  box.hidden = !text;
}

function setStatus(text) {
  $('status').textContent = text;
}

function leaderOf(declarer) {
  return SEATS[(SEATS.indexOf(declarer) + 1) % 4];
}

function parseHands(pbn) {
  const hands = {};
  const [first, rest] = pbn.split(':');
  const start = SEATS.indexOf(first);
  rest.trim().split(/\s+/).forEach((hand, i) => {
    hands[SEATS[(start + i) % 4]] = hand.split('.').map((suit) => suit.split(''));
  });
  return hands;
}

function cardOf(suitIndex, rank) {
  return 'SHDC'[suitIndex] + rank;
}

// ---- URL -----------------------------------------------------------------

function writeUrl() {
  if (!state.deal) return;
  const params = new URLSearchParams();
  params.set('deal', state.deal);
  params.set('vul', state.vul);
  params.set('dealer', state.dealer);
  params.set('strain', state.strain);
  params.set('declarer', state.declarer);
  if (state.played.length) params.set('play', state.played.join(','));
  history.replaceState(null, '', `${location.pathname}?${params}`);
}

// ---- Deal entry ----------------------------------------------------------

// Reads the text in any accepted form, then solves the table and shows the
// position. `given` holds what the URL says beside the deal.
async function loadDeal(text, given = {}) {
  const request = ++loadRequest;
  setState('reading');
  showMessage('');
  const deal = await ask('readDeal', { text });
  if (request !== loadRequest) return;
  if (deal.error) {
    showMessage(`Not a deal: ${deal.error}.`);
    setState('error');
    return;
  }
  state.deal = deal.deal;
  state.hands = parseHands(deal.deal);
  state.dealer = valid(given.dealer, SEATS) || deal.dealer || $('dealer').value;
  state.vul = valid(given.vul, ['None', 'NS', 'EW', 'All']) || deal.vul || $('vul').value;
  $('dealer').value = state.dealer;
  $('vul').value = state.vul;
  $('deal-input').value = deal.deal;
  state.played = [];
  state.costs = [];
  state.future = deal.play ? [...deal.play] : [];
  state.board = deal.contract ? deal : null;  // an imported board's name and contract
  state.strain = valid(given.strain, ROWS) || deal.strain || null;
  state.declarer = valid(given.declarer, SEATS) || deal.declarer || null;
  if (given.play) state.future = given.play.filter((card) => /^[SHDC][AKQJT2-9]$/.test(card));
  state.tricks = null;
  state.values = null;
  drawHands();
  clearTable();
  $('play-log').textContent = '';
  delete $('play-log').dataset.played;
  $('undo').disabled = true;
  $('redo').disabled = true;
  $('play-status').textContent = '';

  setState('solving');
  setStatus('Solving the table…');
  const solved = await ask('table', { deal: state.deal, dealer: state.dealer, vul: state.vul },
    (progress) => {
      if (request !== loadRequest) return;
      fillStrain(progress.strain, progress.tricks);
      setStatus(`Solving the table… ${progress.strain} done`);
    });
  if (request !== loadRequest) return;
  if (solved.error) {
    showMessage(`The table could not be solved: ${solved.error}.`);
    setState('error');
    return;
  }
  state.tricks = solved.tricks;
  showPar(solved.par);
  $('dd-table').dataset.ms = solved.ms.toFixed(1);
  setStatus(`Table solved in ${Math.round(solved.ms)} ms`);
  setState('solved');

  let level = deal.contract ? Number(deal.contract[0]) : null;
  if (!state.strain || !state.declarer) level = choosePlayContract(solved.par) || level;
  presetSimulation(level || 3);
  $('play-strain').value = state.strain;
  $('play-declarer').value = state.declarer;
  // A play from the URL is played out at once; an imported one is replayed by Redo.
  if (given.play) {
    await reviewLine(state.future);
    state.played = state.future;
    state.future = [];
  } else if (state.future.length) {
    await reviewLine(state.future);
  }
  await showPosition();
}

function valid(value, allowed) {
  if (!value) return null;
  const found = allowed.find((item) => item.toLowerCase() === String(value).toLowerCase());
  return found || null;
}

// The costs of a known line of play, from the module's review.
async function reviewLine(cards) {
  const review = await ask('review', {
    deal: state.deal, strain: state.strain, leader: leaderOf(state.declarer), cards,
  });
  if (review.error) return;
  review.cards.forEach((card, i) => { state.costs[i] = card.cost; });
  if (review.refused >= 0) {
    showMessage(`Card ${review.refused + 1} of the play (${cards[review.refused]}) cannot be played: ${review.message || 'refused'}.`);
    cards.length = review.refused;
  }
}

// Without a contract given, play the par contract (no trump by North when
// passed out); answers the par contract's level, or null.
function choosePlayContract(par) {
  state.strain = 'NT';
  state.declarer = 'N';
  const text = par && par.contracts && par.contracts[0];
  const match = text && /^(\d)(NT|N|S|H|D|C)\*?-(NS|EW|N|E|S|W)/.exec(text);
  if (!match) return null;
  state.strain = match[2] === 'N' ? 'NT' : match[2];
  let seats = match[3].split('');
  const column = STRAINS.indexOf(state.strain) * 4;
  seats.sort((a, b) => state.tricks[column + SEATS.indexOf(b)] - state.tricks[column + SEATS.indexOf(a)]);
  state.declarer = seats[0];
  return Number(match[1]);
}

// ---- The table and par ---------------------------------------------------

function clearTable() {
  const body = $('dd-table').tBodies[0];
  body.textContent = '';
  for (const strain of ROWS) {
    const row = body.insertRow();
    const head = document.createElement('th');
    head.textContent = SUIT_SYMBOL[strain];
    head.className = `suit-${strain}`;
    row.appendChild(head);
    for (const seat of COLUMNS) {
      const cell = row.insertCell();
      cell.dataset.declarer = seat;
      cell.dataset.strain = strain;
      cell.className = 'pending';
      cell.textContent = '…';
    }
  }
  delete $('dd-table').dataset.ms;
  $('par').textContent = '';
  $('par-contracts').textContent = '';
  $('par-sides').textContent = '';
}

function fillStrain(strain, tricks) {
  SEATS.forEach((seat, i) => {
    const cell = $('dd-table').querySelector(`td[data-declarer="${seat}"][data-strain="${strain}"]`);
    cell.textContent = String(tricks[i]);
    cell.className = tricks[i] >= 7 ? 'makes' : '';
  });
}

function showPar(par) {
  state.par = par;
  if (par.error) {
    $('par').textContent = '';
    showMessage(`Par: ${par.error}.`);
    return;
  }
  $('par').textContent = String(par.score);
  $('par').dataset.score = String(par.score);
  $('par-contracts').textContent = par.contracts.length ? par.contracts.join(', ') : 'passed out';
  $('par-sides').textContent = `${par.ns} (${par.contracts_ns}); ${par.ew} (${par.contracts_ew})`;
}

async function resolvePar() {
  if (!state.tricks) return;
  showPar(await ask('par', { tricks: state.tricks, dealer: state.dealer, vul: state.vul }));
  writeUrl();
}

// ---- The hands and the play ----------------------------------------------

function drawHands() {
  const playedSet = new Set(state.played);
  const toMove = state.position ? state.position.toMove : null;
  for (const seat of SEATS) {
    const box = $(`hand-${seat}`);
    box.textContent = '';
    box.classList.toggle('to-move', seat === toMove);
    const name = document.createElement('div');
    name.className = 'seat-name';
    name.textContent = { N: 'North', E: 'East', S: 'South', W: 'West' }[seat] +
      (seat === state.declarer ? ' (declarer)' : '');
    box.appendChild(name);
    if (!state.hands) continue;
    state.hands[seat].forEach((ranks, suitIndex) => {
      const line = document.createElement('div');
      line.className = 'suit-line';
      const symbol = document.createElement('span');
      symbol.className = `symbol suit-${'SHDC'[suitIndex]}`;
      symbol.textContent = SUIT_SYMBOL['SHDC'[suitIndex]];
      line.appendChild(symbol);
      let any = false;
      for (const rank of ranks) {
        const card = cardOf(suitIndex, rank);
        if (playedSet.has(card)) continue;
        any = true;
        line.appendChild(cardButton(card, rank, seat === toMove));
      }
      if (!any) line.appendChild(document.createTextNode('—'));
      box.appendChild(line);
    });
  }
}

function cardButton(card, rank, toMove) {
  const button = document.createElement('button');
  button.type = 'button';
  button.className = 'card';
  button.dataset.card = card;
  button.textContent = rank === 'T' ? '10' : rank;
  const value = toMove && state.values ? state.values.get(card) : undefined;
  if (value === undefined) {
    button.disabled = true;
    return button;
  }
  const best = Math.max(...state.values.values());
  button.dataset.value = String(value);
  button.classList.add(value === best ? 'keep' : 'lose');
  button.title = `${card}: ${value} tricks for ${'NS'.includes(state.position.toMove) ? 'N-S' : 'E-W'}`;
  const badge = document.createElement('sup');
  badge.textContent = String(value);
  button.appendChild(badge);
  button.addEventListener('click', () => playCard(card));
  return button;
}

function bestValue() {
  return state.values && state.values.size ? Math.max(...state.values.values()) : null;
}

function playCard(card) {
  if (!state.values || !state.values.has(card)) return;
  state.costs[state.played.length] = bestValue() - state.values.get(card);
  state.played.push(card);
  if (state.future[0] === card) state.future.shift();
  else state.future = [];
  showPosition();
}

function undo() {
  if (!state.played.length) return;
  state.future.unshift(state.played.pop());
  showPosition();
}

function redo() {
  if (!state.future.length || !state.values) return;
  const card = state.future[0];
  if (state.values.has(card)) playCard(card);
}

function restart() {
  state.future = [...state.played, ...state.future];
  state.played = [];
  showPosition();
}

async function showPosition() {
  if (!state.deal || !state.tricks) return;
  const request = ++positionRequest;
  writeUrl();
  setState('playing');
  const position = await ask('position', {
    deal: state.deal, strain: state.strain, leader: leaderOf(state.declarer), cards: state.played,
  });
  if (request !== positionRequest) return;
  if (position.error) {
    showMessage(`The play cannot be shown: ${position.error}.`);
    setState('solved');
    return;
  }
  if (position.refusal) {
    showMessage(`${position.refusal}: the play stops before it.`);
    state.played = state.played.slice(0, position.played);
    state.future = [];
    writeUrl();
  }
  state.position = position;
  state.values = new Map(position.values);
  drawHands();
  drawTrick(position);
  drawLog();
  $('play-log').dataset.played = String(state.played.length);
  const side = 'NS'.includes(position.toMove) ? 'N-S' : 'E-W';
  const board = state.board && state.board.strain === state.strain && state.board.declarer === state.declarer
    ? `${state.board.name ? `Board ${state.board.name}, ` : ''}${state.board.contract}` : null;
  $('play-status').textContent = position.values.length
    ? `${board || (state.strain === 'NT' ? 'No trump' : SUIT_SYMBOL[state.strain])} by ${state.declarer}: ` +
      `${position.toMove} to play; ${side} can take ${bestValue()} tricks.`
    : `All cards played: N-S ${position.wonNS}, E-W ${position.wonEW}.`;
  $('undo').disabled = !state.played.length;
  $('redo').disabled = !state.future.length;
  setState('solved');
}

function drawTrick(position) {
  const trick = $('trick');
  trick.textContent = '';
  let seat = SEATS.indexOf(position.leader);
  for (const card of position.trick) {
    const item = document.createElement('span');
    item.className = `trick-card from-${SEATS[seat]}`;
    item.textContent = `${SEATS[seat]} ${SUIT_SYMBOL[card[0]]}${card[1] === 'T' ? '10' : card[1]}`;
    trick.appendChild(item);
    seat = (seat + 1) % 4;
  }
  $('tricks-won').textContent = `N-S ${position.wonNS} · E-W ${position.wonEW}`;
}

// The cards played, a trick a line, each card's cost after it.
function drawLog() {
  const log = $('play-log');
  log.textContent = '';
  let seat = SEATS.indexOf(leaderOf(state.declarer));
  let line = null;
  const replay = { trick: [], leader: seat };
  state.played.forEach((card, i) => {
    if (i % 4 === 0) {
      line = document.createElement('li');
      log.appendChild(line);
    }
    const item = document.createElement('span');
    const cost = state.costs[i];
    item.className = cost > 0 ? 'played lose' : 'played';
    const who = SEATS[seat];
    item.textContent = `${who} ${SUIT_SYMBOL[card[0]]}${card[1] === 'T' ? '10' : card[1]}` +
      (cost > 0 ? ` −${cost}` : '');
    line.appendChild(item);
    replay.trick.push([who, card]);
    if (replay.trick.length === 4) {
      seat = SEATS.indexOf(trickWinner(replay.trick));
      replay.trick = [];
    } else {
      seat = (seat + 1) % 4;
    }
  });
}

function trickWinner(trick) {
  const trump = state.strain === 'NT' ? null : state.strain;
  let best = trick[0];
  for (const entry of trick.slice(1)) {
    const [, card] = entry;
    const [, top] = best;
    if (card[0] === top[0]) {
      if (RANK_ORDER.indexOf(card[1]) < RANK_ORDER.indexOf(top[1])) best = entry;
    } else if (card[0] === trump) {
      best = entry;
    }
  }
  return best[0];
}

// ---- Simulation ----------------------------------------------------------

// The simulation starts from the contract played: declarer's and dummy's
// hands known, the defenders' dealt.
function presetSimulation(level) {
  const hands = state.deal.split(':')[1].split(' ');
  const northSouth = 'NS'.includes(state.declarer);
  $('sim-deal').value = northSouth ? `N:${hands[0]} - ${hands[2]} -` : `N:- ${hands[1]} - ${hands[3]}`;
  $('sim-contract').value = `${level}${state.strain}-${state.declarer}`;
}

async function simulate() {
  const deals = Number($('sim-deals').value);
  if (!Number.isInteger(deals) || deals < 1 || deals > 5000) {
    showMessage('Deals: a number from 1 to 5000.');
    return;
  }
  showMessage('');
  const bar = $('sim-progress');
  bar.hidden = false;
  bar.value = 0;
  $('sim-run').disabled = true;
  const result = await ask('simulate', {
    deal: $('sim-deal').value.trim(), where: $('sim-where').value, contract: $('sim-contract').value.trim(),
    deals, seed: 1, vul: state.vul,
  }, (progress) => { bar.value = progress.done / progress.total; });
  $('sim-run').disabled = false;
  bar.hidden = true;
  if (result.error) {
    showMessage(`Simulation: ${result.error}.`);
    $('sim-result').hidden = true;
    return;
  }
  $('sim-result').hidden = false;
  const level = Number(result.contract[0]);
  $('sim-make').textContent = `${result.contract}: makes on ${result.makePercent.toFixed(1)}% of ` +
    `${result.deals} deals (95%: ${result.makeLow.toFixed(1)}–${result.makeHigh.toFixed(1)}), ` +
    `average score ${result.averageScore.toFixed(0)}` + (result.message ? ` (${result.message})` : '');
  $('sim-make').dataset.makePercent = result.makePercent.toFixed(1);
  drawHistogram($('sim-chart'), result.tricks, level + 6);
  const leads = $('sim-leads');
  leads.textContent = '';
  if (result.leads.length) {
    const head = leads.createTHead().insertRow();
    for (const title of ['Lead', 'Defence tricks', 'Beats %']) {
      const cell = document.createElement('th');
      cell.textContent = title;
      head.appendChild(cell);
    }
    const body = leads.createTBody();
    for (const lead of result.leads) {
      const row = body.insertRow();
      row.dataset.card = lead.card;
      row.dataset.defenceTricks = lead.defenceTricks.toFixed(3);
      row.insertCell().textContent = `${SUIT_SYMBOL[lead.card[0]]}${lead.card[1] === 'T' ? '10' : lead.card[1]}`;
      row.insertCell().textContent = lead.defenceTricks.toFixed(2);
      row.insertCell().textContent = lead.beatsPercent.toFixed(1);
    }
  }
}

// ---- Wiring --------------------------------------------------------------

function selectTab(play) {
  $('tab-play').setAttribute('aria-selected', String(play));
  $('tab-sim').setAttribute('aria-selected', String(!play));
  $('play-panel').hidden = !play;
  $('sim-panel').hidden = play;
}

// A board's own Dealer and Vulnerable tags win over the page's choices.
$('load').addEventListener('click', () => loadDeal($('deal-input').value));
$('random').addEventListener('click', async () => {
  const deal = await ask('randomDeal', { seed: Math.floor(Math.random() * 2 ** 52) });
  if (deal.error) showMessage(deal.error);
  else loadDeal(deal.deal);
});
$('dealer').addEventListener('change', () => { state.dealer = $('dealer').value; resolvePar(); });
$('vul').addEventListener('change', () => { state.vul = $('vul').value; resolvePar(); });
$('play-strain').addEventListener('change', () => {
  state.strain = $('play-strain').value;
  presetSimulation(Number($('sim-contract').value[0]) || 3);
  state.played = [];
  state.future = [];
  state.costs = [];
  showPosition();
});
$('play-declarer').addEventListener('change', () => {
  state.declarer = $('play-declarer').value;
  presetSimulation(Number($('sim-contract').value[0]) || 3);
  state.played = [];
  state.future = [];
  state.costs = [];
  showPosition();
});
$('undo').addEventListener('click', undo);
$('redo').addEventListener('click', redo);
$('restart').addEventListener('click', restart);
$('tab-play').addEventListener('click', () => selectTab(true));
$('tab-sim').addEventListener('click', () => selectTab(false));
$('sim-run').addEventListener('click', simulate);
document.addEventListener('keydown', (event) => {
  if (event.target.closest('input, textarea, select')) return;
  if (event.key === 'ArrowLeft') undo();
  if (event.key === 'ArrowRight') redo();
});

clearTable();
drawHands();
const params = new URLSearchParams(location.search);
setStatus('Loading the solver…');
ask('version').then((answer) => {
  if (answer.error) {
    console.error(answer.error);
    showMessage('The solver could not be loaded: ddsolver.wasm is missing or unreadable here.');
    setStatus('No solver');
  } else if (loadRequest === 0) {
    setStatus('Ready');
  }
});
if (params.get('deal')) {
  loadDeal(params.get('deal'), {
    dealer: params.get('dealer'), vul: params.get('vul'), strain: params.get('strain'),
    declarer: params.get('declarer'),
    play: params.get('play') ? params.get('play').toUpperCase().split(/[,\s]+/).filter(Boolean) : null,
  });
}
