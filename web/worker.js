// The solver's worker: loads the WebAssembly module and answers the page's
// requests one at a time, so the page never waits on a search. A request is
// {id, op, args}; the answer {id, result} (the module's JSON, parsed), or
// {id, progress} while a long request runs, or {id, result: {error}} when it
// failed.
import createDdsolver from './ddsolver.js';

const ready = createDdsolver();
let current = 0;  // the request running, for the module's progress calls

// Called by the module during a simulation.
self.ddProgress = (done, total) => postMessage({ id: current, progress: { done, total } });

const STRAINS = ['S', 'H', 'D', 'C', 'NT'];

const ops = {
  // The table strain by strain, each reported as it is solved, then par.
  table(m, { deal, dealer, vul }, id) {
    const started = performance.now();
    const tricks = [];
    for (const strain of STRAINS) {
      const answer = JSON.parse(m.solveStrain(deal, strain));
      if (answer.error) return answer;
      tricks.push(...answer.tricks);
      postMessage({ id, progress: { strain, tricks: answer.tricks } });
    }
    const ms = performance.now() - started;
    const par = JSON.parse(m.par(tricks.join(' '), dealer, vul));
    return { tricks, par, ms };
  },
  version: (m) => JSON.parse(m.version()),
  par: (m, { tricks, dealer, vul }) => JSON.parse(m.par(tricks.join(' '), dealer, vul)),
  readDeal: (m, { text }) => JSON.parse(m.readDeal(text)),
  randomDeal: (m, { seed }) => JSON.parse(m.randomDeal(seed)),
  position: (m, { deal, strain, leader, cards }) =>
    JSON.parse(m.position(deal, strain, leader, cards.join(' '))),
  review: (m, { deal, strain, leader, cards }) =>
    JSON.parse(m.review(deal, strain, leader, cards.join(' '))),
  simulate: (m, { deal, where, contract, deals, seed, vul }) =>
    JSON.parse(m.simulate(deal, where, contract, deals, seed, vul, true)),
};

self.onmessage = async (event) => {
  const { id, op, args } = event.data;
  let result;
  try {
    const m = await ready;
    current = id;
    result = ops[op] ? ops[op](m, args, id) : { error: `unknown request ${op}` };
  } catch (e) {
    result = { error: `the solver stopped: ${e && e.message ? e.message : e}` };
  }
  postMessage({ id, result });
};
