// Measures the browser build: its download sizes, the page load to the first frame in headless
// Chromium, and a fast replay's update rate in the browser against the native program's.
// Usage: node web.js <site dir> <native build dir> <recordings dir>; the longest recording is
// replayed. A measurement: asserts nothing.
'use strict';
const { execFileSync, spawn } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const zlib = require('zlib');
const puppeteer = require('puppeteer-core');

const [site, nativeBuild, recordings] = process.argv.slice(2).map((p) => path.resolve(p));
const RUNS = 5;
const median = (values) => values.sort((a, b) => a - b)[Math.floor(values.length / 2)];
const row = (name, value, goal) => console.log(`${name.padEnd(52)} ${String(value).padStart(12)}  ${goal}`);

function sizes() {
  let raw = 0;
  let packed = 0;
  for (const suffix of ['wasm', 'js', 'data']) {
    const bytes = fs.readFileSync(path.join(site, `quendal.${suffix}`));
    const gzipped = zlib.gzipSync(bytes, { level: 9 }).length;
    row(`.${suffix} size, raw / gzipped (KB)`, `${(bytes.length / 1024).toFixed(0)} / ${(gzipped / 1024).toFixed(0)}`, '');
    raw += bytes.length;
    packed += gzipped;
  }
  row('all three, raw / gzipped (KB)', `${(raw / 1024).toFixed(0)} / ${(packed / 1024).toFixed(0)}`, 'goal: < 1536 gzipped');
}

// Updates of a recorded game: the update number of its last event.
function updates(file) {
  const lines = fs.readFileSync(file, 'utf8').split('\n').filter((l) => /^\d/.test(l));
  return Number(lines[lines.length - 1].split(/\s/)[0]);
}
const recording = (fs.existsSync(recordings) ? fs.readdirSync(recordings) : []).filter((f) => f.endsWith('.rec')).map((f) => path.join(recordings, f))
  .sort((a, b) => updates(b) - updates(a))[0];

function nativeSeconds() {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'quendal-bench-'));
  for (const file of ['assets', 'Cornerstone Regular.ttf']) fs.symlinkSync(path.join(nativeBuild, file), path.join(dir, file));
  const times = [];
  for (let i = 0; i < RUNS; i += 1) {
    const start = process.hrtime.bigint();
    execFileSync(path.join(nativeBuild, 'quendal'), ['--replay', recording, '--headless', '--fast'], { cwd: dir });
    times.push(Number(process.hrtime.bigint() - start) / 1e9);
  }
  fs.rmSync(dir, { recursive: true, force: true });
  return median(times);
}

async function main() {
  sizes();
  const server = spawn('python3', ['-u', '-m', 'http.server', '--bind', '127.0.0.1', '0'],
    { cwd: site, stdio: ['ignore', 'pipe', 'ignore'] });
  const origin = await new Promise((resolve) => server.stdout.on('data', (text) => {
    const port = /port (\d+)/.exec(text);
    if (port) resolve(`http://127.0.0.1:${port[1]}/`);
  }));
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'quendal-bench-'));
  const browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium', headless: true, userDataDir: profile,
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
      '--disable-sync', '--no-first-run'],
  });
  const loads = [];
  const replays = [];
  for (let i = 0; i < RUNS; i += 1) {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    await page.goto(origin);
    // Milliseconds from the start of navigation to the first animation frame with a drawn canvas.
    loads.push(await page.waitForFunction(() => {
      const copy = document.createElement('canvas').getContext('2d');
      copy.drawImage(document.getElementById('canvas'), 399, 299, 1, 1, 0, 0, 1, 1);
      return copy.getImageData(0, 0, 1, 1).data[3] !== 0 && performance.now();
    }, { polling: 'raf', timeout: 20000 }).then((handle) => handle.jsonValue()));
    if (recording) {
      await page.goto(`${origin}?replay=${path.basename(recording)}&fast`);
      await page.waitForFunction(() => window.quendal.ended, { timeout: 60000 });
      replays.push(await page.evaluate(() => (window.quendal.endedAt - window.quendal.startedAt) / 1000));
    }
    await context.close();
  }
  await browser.close();
  server.kill();
  fs.rmSync(profile, { recursive: true, force: true });
  row('page load to first frame, median (ms)', median(loads).toFixed(0), 'goal: <= 1500');
  if (!recording) return;
  const count = updates(recording);
  const web = count / median(replays);
  const native = count / nativeSeconds();
  row(`fast replay of ${count} updates, browser (updates/s)`, web.toFixed(0), '');
  row('fast replay, native headless (updates/s)', native.toFixed(0), '');
  row('browser / native', (web / native).toFixed(2), 'report');
}

main().catch((error) => { console.log(`The browser benchmark failed: ${error.message}`); });
