// The browser build in headless Chromium: play through the page, the best score across a reload,
// bad input, and replays that must equal the native program's byte for byte and pixel for pixel.
// Usage: node web_test.js <site dir> <native build dir>
'use strict';
const { execFileSync, spawn } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const puppeteer = require('puppeteer-core');

const [site, nativeBuild] = process.argv.slice(2).map((p) => path.resolve(p));
const recordingsDir = path.join(__dirname, '..', 'recordings');
const recordings = fs.existsSync(recordingsDir) ? fs.readdirSync(recordingsDir).filter((f) => f.endsWith('.rec')) : [];
const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'quendal-web-'));
// What a damaged site or browser gives the page, and what the page must then say.
const BAD_INPUT = [
  ['missing data', '', (r) => r.url().endsWith('.data') && { status: 404, body: '' }, /could not be loaded/],
  ['corrupt data', '', (r) => r.url().endsWith('.data') && { status: 200, body: 'not the data' }, /damaged/],
  ['unparsable recording', '?replay=../assets/bg.jpg&fast', null, /exit status 2: .*bg\.jpg:1: /],
  ['blocked storage', '', 'block storage', /storage is unavailable/],
];
let failures = 0;
let passes = 0;
let server;
let browser;

function check(name, ok, detail) {
  console.log(`${ok ? 'PASS' : 'FAIL'} ${name}${ok ? '' : `: ${detail}`}`);
  if (ok) passes += 1; else failures += 1;
}

function serve() {
  server = spawn('python3', ['-u', '-m', 'http.server', '--bind', '127.0.0.1', '0'], { cwd: site, stdio: ['ignore', 'pipe', 'ignore'] });
  return new Promise((resolve, reject) => {
    server.on('exit', () => reject(new Error('the web server stopped')));
    server.stdout.on('data', (text) => /port (\d+)/.test(text) && resolve(`http://127.0.0.1:${/port (\d+)/.exec(text)[1]}/`));
  });
}

// The native program's replay, from a scratch folder laid out like its build folder.
function nativeReplay(name) {
  const dir = fs.mkdtempSync(path.join(scratch, 'native-'));
  for (const file of ['assets', 'Cornerstone Regular.ttf']) fs.symlinkSync(path.join(nativeBuild, file), path.join(dir, file));
  const stdout = execFileSync(path.join(nativeBuild, 'quendal'), ['--replay', path.join(__dirname, '..', 'recordings', name),
    '--headless', '--fast', '--screenshot', 'last-frame.png'], { cwd: dir });
  const read = (file) => (fs.existsSync(path.join(dir, file)) ? fs.readFileSync(path.join(dir, file)) : null);
  return { stdout, score: read('highScore.txt'), frame: read('last-frame.png') };
}

async function main() {
  const origin = await serve();
  browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium', headless: true, userDataDir: path.join(scratch, 'profile'),
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
      '--disable-sync', '--no-first-run', '--force-color-profile=srgb'],
  });
  // A page in its own browser context (its own storage unless one is given), and its console.
  async function open(query, { context, respond } = {}) {
    const page = await (context || await browser.createBrowserContext()).newPage();
    const log = [];
    page.on('console', (m) => log.push(`${m.type()}: ${m.text()}`));
    page.on('pageerror', (e) => log.push(`error: ${e.message}`));
    if (respond === 'block storage') {
      await page.evaluateOnNewDocument(() => { indexedDB.open = () => { throw new DOMException('blocked', 'SecurityError'); }; });
    } else if (respond) {
      await page.setRequestInterception(true);
      page.on('request', (r) => (respond(r) ? r.respond(respond(r)) : r.continue()));
    }
    await page.goto(origin + query);
    return { page, log, status: () => page.$eval('#message', (m) => m.textContent) };
  }
  const waitFor = (page, test, arg) => page.waitForFunction(test, { timeout: 20000 }, arg);
  const paddleX = (page) => page.evaluate(() => {
    const copy = document.createElement('canvas');
    copy.width = 800;
    copy.height = 600;
    copy.getContext('2d').drawImage(document.getElementById('canvas'), 0, 0);
    const pixels = copy.getContext('2d').getImageData(0, 0, 800, 600).data;
    let sum = 0, count = 0, colours = new Set();
    for (let i = 0; i < pixels.length; i += 4) {
      colours.add((pixels[i] << 16) | (pixels[i + 1] << 8) | pixels[i + 2]);
      if (pixels[i] === 0x99 && pixels[i + 1] === 0x66 && pixels[i + 2] === 0) { sum += (i / 4) % 800; count += 1; }
    }
    return { x: count ? sum / count : -1, colours: colours.size };
  });
  // Waits until the page's console panel shows the text.
  const printed = (page, text) => waitFor(page, (t) => document.getElementById('console').textContent.includes(t), text);

  // Play: the title screen, PLAY, the paddle under a held arrow key, Escape.
  const play = await open('');
  await printed(play.page, 'Highest Score Read -> 0');
  await new Promise((r) => setTimeout(r, 200));
  check('each console line shows as soon as it is printed', play.log.includes('log: Highest Score Read -> 0'), play.log.join('\n'));
  check('title screen drawn', (await paddleX(play.page)).colours > 100, 'the canvas is nearly blank');
  const box = await (await play.page.$('#canvas')).boundingBox();
  await play.page.mouse.click(box.x + (400 * box.width) / 800, box.y + (257 * box.height) / 600);
  await printed(play.page, 'Game Started');
  const before = await paddleX(play.page);
  await play.page.keyboard.down('ArrowRight');
  await new Promise((r) => setTimeout(r, 300));
  await play.page.keyboard.up('ArrowRight');
  const after = await paddleX(play.page);
  check('held arrow key moves the paddle', before.x > 0 && after.x > before.x + 50, `${before.x} -> ${after.x}`);
  await play.page.keyboard.press('Escape');
  await waitFor(play.page, () => window.quendal.ended);
  check('Escape ends the game and the page says so', /game has ended/.test(await play.status()), await play.status());
  check('no console error', !play.log.some((l) => l.startsWith('error')), play.log.join('\n'));

  // Replays: the console, best-score file and last frame of the native program's replay.
  for (const name of recordings) {
    const native = nativeReplay(name);
    const context = await browser.createBrowserContext();
    const replay = await open(`?replay=${name}&fast`, { context });
    await waitFor(replay.page, () => window.quendal.ended);
    const web = await replay.page.evaluate(() => {
      const read = (f) => (window.Module.FS.analyzePath(f).exists ? Array.from(window.Module.FS.readFile(f)) : null);
      return { stdout: window.quendal.stdout, score: read('highScore.txt'), frame: read('last-frame.png') };
    });
    for (const part of ['stdout', 'score', 'frame']) {
      const same = native[part] === null ? web[part] === null : web[part] !== null && Buffer.from(web[part]).equals(native[part]);
      check(`${name}: ${part} equals native`, same, `${web[part] && web[part].length} bytes against ${native[part] && native[part].length}`);
    }
    if (native.score !== null) {
      const reload = await open('', { context });
      await printed(reload.page, 'Highest Score Read');
      const shown = await reload.page.$eval('#console', (c) => c.textContent.split('\n').pop());
      check(`${name}: best score survives a reload`, shown === `Highest Score Read -> ${native.score.toString().trim()}`, shown);
    }
    await context.close();
  }

  for (const [name, query, respond, message] of BAD_INPUT) {
    const bad = await open(query, { respond });
    await waitFor(bad.page, (m) => new RegExp(m).test(document.getElementById('message').textContent), message.source)
      .catch(() => {});
    check(`${name}: the page says so`, message.test(await bad.status()), await bad.status());
    check(`${name}: the console says so`, bad.log.some((l) => message.test(l)), bad.log.join('\n'));
  }
}

main().catch((error) => { check('the browser run', false, error.stack); }).finally(async () => {
  await (browser && browser.close());
  if (server) server.kill();
  fs.rmSync(scratch, { recursive: true, force: true });
  console.log(`${passes} passed, ${failures} failed`);
  process.exitCode = failures ? 1 : 0;
});
