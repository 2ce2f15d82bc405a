// The simulation's histogram as an SVG bar chart: deals by declarer's
// tricks, the bars that make the contract in green.
const SVG = 'http://www.w3.org/2000/svg';

function element(name, attributes, text) {
  const node = document.createElementNS(SVG, name);
  for (const [key, value] of Object.entries(attributes)) node.setAttribute(key, String(value));
  if (text !== undefined) node.textContent = text;
  return node;
}

// `counts[t]`: the deals on which declarer took t tricks (0 to 13);
// `needed`: the tricks the contract needs.
export function drawHistogram(svg, counts, needed) {
  svg.textContent = '';
  let low = counts.findIndex((n) => n > 0);
  let high = 13 - [...counts].reverse().findIndex((n) => n > 0);
  if (low < 0) { low = needed - 1; high = needed; }
  low = Math.max(0, Math.min(low, needed - 1));
  high = Math.min(13, Math.max(high, needed));
  const total = counts.reduce((a, b) => a + b, 0) || 1;
  const most = Math.max(1, ...counts);
  const width = 320, height = 160, bottom = 24, top = 16;
  const slot = width / (high - low + 1);
  svg.setAttribute('viewBox', `0 0 ${width} ${height}`);
  for (let t = low; t <= high; ++t) {
    const x = (t - low) * slot;
    const barHeight = ((height - bottom - top) * counts[t]) / most;
    const y = height - bottom - barHeight;
    const bar = element('rect', {
      x: x + slot * 0.15, y, width: slot * 0.7, height: barHeight,
      class: t >= needed ? 'bar make' : 'bar down',
      'data-tricks': t, 'data-deals': counts[t],
    });
    bar.appendChild(element('title', {}, `${t} tricks: ${counts[t]} deals`));
    svg.appendChild(bar);
    svg.appendChild(element('text', { x: x + slot / 2, y: height - 8, class: 'axis' }, t));
    if (counts[t]) {
      svg.appendChild(element('text', { x: x + slot / 2, y: y - 3, class: 'share' },
        `${Math.round((100 * counts[t]) / total)}%`));
    }
  }
}
