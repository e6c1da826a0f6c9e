// Runs the game on the page: checks its data, keeps the best score in the browser's storage,
// shows the console as the game writes it, and says when and how a game ended.
'use strict';
(() => {
  const DATA_FILE = 'quendal.data';
  const DATA_SHA256 = '@DATA_SHA256@';
  const SCORE_FILE = 'highScore.txt';
  const STORE = '/persist';
  const WIDTH = 800;
  const HEIGHT = 600;
  const canvas = document.getElementById('canvas');
  const status = document.getElementById('status');
  const again = document.getElementById('again');
  const panel = document.getElementById('console');
  const params = new URLSearchParams(location.search);
  // Everything the game wrote, and how it ended, for a player's script or a test to read.
  const run = window.quendal = { stdout: [], stderr: [], exitStatus: null, ended: false, failed: false };
  let storageWorks = true;
  let saving = Promise.resolve();
  let lastError = '';

  function say(text, isError) {
    status.textContent = text;
    status.parentNode.className = isError ? 'error' : '';
  }

  // The first failure stays on the page; every one goes to the console.
  function fail(text) {
    note(text, console.error);
    if (run.failed) return;
    run.failed = true;
    say(text, true);
    panel.parentNode.open = true;
  }

  // A line of the page's own beside the game's lines, in the panel and the browser's console.
  function note(text, log) {
    panel.append('\n' + text);
    log(text);
  }

  // The byte sink of one output stream: the panel shows each byte as the game flushes it, and
  // the browser's console gets each piece of a line as it is written.
  function output(bytes, log) {
    const decoder = new TextDecoder();
    let pending = [];
    const flush = () => {
      const text = decoder.decode(new Uint8Array(pending), { stream: true });
      pending = [];
      panel.append(text);
      panel.scrollTop = panel.scrollHeight;
      for (const piece of text.split('\n')) {
        if (piece) {
          log(piece);
          if (log === console.error) lastError = piece;
        }
      }
    };
    return (byte) => {
      bytes.push(byte);
      if (pending.push(byte) === 1) queueMicrotask(flush);
    };
  }

  function storageFailed(error) {
    if (!storageWorks) return;
    storageWorks = false;
    const text = `The best score will not be kept: the browser's storage is unavailable (${error}).`;
    note(text, console.warn);
    if (!run.ended) say(text);
  }

  function sync(FS, populate) {
    return new Promise((resolve, reject) => {
      FS.syncfs(populate, (error) => (error ? reject(error) : resolve()));
    });
  }

  // Restores the best score before the game reads it, and stores it after each save it makes.
  function setUpFiles(Module) {
    const FS = Module.FS;
    FS.init(() => null, output(run.stdout, console.log), output(run.stderr, console.error));
    const rename = FS.rename;
    FS.rename = (from, to) => {
      rename(from, to);
      if (to.slice(to.lastIndexOf('/') + 1) === SCORE_FILE && storageWorks) {
        const bytes = FS.readFile(to);
        saving = saving.then(() => {
          FS.writeFile(`${STORE}/${SCORE_FILE}`, bytes);
          return sync(FS, false);
        }).catch(storageFailed);
      }
    };
    Module.addRunDependency('best score');
    new Promise((resolve) => {
      FS.mkdir(STORE);
      FS.mount(FS.filesystems.IDBFS, {}, STORE);
      resolve(sync(FS, true));
    }).then(() => {
      const stored = `${STORE}/${SCORE_FILE}`;
      if (FS.analyzePath(stored).exists) FS.writeFile(SCORE_FILE, FS.readFile(stored));
    }).catch(storageFailed).finally(() => Module.removeRunDependency('best score'));
  }

  function gameArguments() {
    const name = params.get('replay');
    if (name === null) return [];
    const args = ['--replay', `recordings/${name}`, '--screenshot', 'last-frame.png'];
    if (params.has('fast')) args.push('--fast');
    return args;
  }

  function ended(code) {
    run.endedAt = performance.now();
    run.exitStatus = code;
    saving.then(() => {
      run.ended = true;
      if (code === 0) {
        say(storageWorks ? 'The game has ended.' : 'The game has ended; its best score was not kept.');
      } else {
        fail(`The game stopped with exit status ${code}${lastError ? `: ${lastError}` : '.'}`);
      }
      again.style.display = 'inline';
    });
  }

  // The largest whole multiple of the game's size, in device pixels, that fits the window;
  // a window too small for that gets the canvas shrunk to fit: the rule of the engine's
  // FrameLayout::Fit for a desktop window (engine/draw/FrameLayout.h), centred by the page.
  function fitCanvas() {
    const ratio = window.devicePixelRatio || 1;
    const room = Math.min(window.innerWidth / WIDTH, (window.innerHeight - 90) / HEIGHT) * ratio;
    const scale = (room >= 1 ? Math.floor(room) : Math.max(room, 0.25)) / ratio;
    canvas.style.width = `${WIDTH * scale}px`;
    canvas.style.height = `${HEIGHT * scale}px`;
  }

  async function fetchData() {
    let response;
    try {
      response = await fetch(DATA_FILE);
    } catch (error) {
      throw new Error(`The game data could not be loaded (${DATA_FILE}: ${error.message}).`);
    }
    if (!response.ok) {
      throw new Error(`The game data could not be loaded (${DATA_FILE}: HTTP ${response.status}).`);
    }
    const data = await response.arrayBuffer();
    if (crypto.subtle) {
      const digest = new Uint8Array(await crypto.subtle.digest('SHA-256', data));
      const hex = Array.from(digest, (b) => b.toString(16).padStart(2, '0')).join('');
      if (hex !== DATA_SHA256) {
        throw new Error(`The game data is damaged (${DATA_FILE} does not match this page); reload to fetch it again.`);
      }
    }
    return data;
  }

  async function start() {
    if (typeof WebAssembly !== 'object') {
      throw new Error('This browser cannot run WebAssembly, which the game needs.');
    }
    const data = await fetchData();
    window.Module = {
      canvas,
      arguments: gameArguments(),
      getPreloadedPackage: () => data,
      preRun: [setUpFiles],
      onRuntimeInitialized: () => {
        run.startedAt = performance.now();
        if (storageWorks) say('Enter or a click plays; arrow keys move the paddle; P pauses; M mutes the sound; Escape quits.');
        canvas.focus();
      },
      onExit: ended,
      onAbort: (what) => fail(/wasm/.test(what)
        ? 'The game\'s code (quendal.wasm) could not be loaded; reload the page to try again.'
        : `The game stopped: ${what}`),
    };
    const script = document.createElement('script');
    script.src = 'quendal.js';
    script.onerror = () => fail('The game could not be loaded (quendal.js).');
    document.body.append(script);
  }

  fitCanvas();
  window.addEventListener('resize', fitCanvas);
  window.addEventListener('error', (event) => fail(`The game stopped: ${event.message}`));
  canvas.addEventListener('mousedown', () => canvas.focus());
  again.addEventListener('click', () => { location.href = location.pathname; });
  start().catch((error) => fail(error.message));
})();
