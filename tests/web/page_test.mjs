// The browser game in headless Chromium, driven through the DevTools protocol with nothing but
// Node: the page is served from 127.0.0.1, its console lines are the game's, and every wait is
// for one of them (or for the page's own state), never for a time.
//
//   node --experimental-websocket page_test.mjs PAGE_DIR WORK_DIR NATIVE_ZARNOK PLAYED_REPLAY
//
// Prints a line per check and the figures; exits 1 at the first check that fails.
import {spawn, spawnSync} from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';

const [pageDir, work, nativeGame, playedReplay] = process.argv.slice(2);
const guardMs = 240000; // a wait that long means the page is stuck: the check fails

function fail(message) {
  console.log(`web-test: FAILED: ${message}`);
  process.exit(1);
}

function serve(folder) {
  const types = {'.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm'};
  const server = http.createServer((request, response) => {
    const name = path.join(folder, path.normalize(decodeURIComponent(new URL(request.url, 'http://x').pathname)));
    if (!name.startsWith(folder) || !fs.existsSync(name) || fs.statSync(name).isDirectory()) {
      response.writeHead(name.endsWith('/') ? 200 : 404);
      response.end(name.endsWith('/') ? fs.readFileSync(path.join(folder, 'index.html')) : '');
      return;
    }
    response.writeHead(200, {'Content-Type': types[path.extname(name)] || 'application/octet-stream'});
    fs.createReadStream(name).pipe(response);
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

function startChromium() {
  const browser = spawn('chromium', [
    '--headless', '--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync', '--disable-quic',
    '--autoplay-policy=no-user-gesture-required', '--remote-debugging-port=0', '--window-size=1400,1000',
    `--user-data-dir=${path.join(work, 'chromium')}`, 'about:blank'], {stdio: ['ignore', 'ignore', 'pipe']});
  return new Promise((resolve, reject) => {
    let said = '';
    browser.stderr.on('data', (chunk) => {
      said += chunk;
      const found = said.match(/DevTools listening on (ws:\/\/\S+)/);
      if (found) resolve({browser, endpoint: found[1]});
    });
    browser.on('exit', () => reject(new Error(`chromium ended before it listened:\n${said}`)));
  });
}

// One page's DevTools session, and the game's console lines as they come.
class Page {
  constructor(socket, sessionId) {
    this.socket = socket;
    this.sessionId = sessionId;
    this.lines = [];
    this.waiters = [];
  }

  heard(line) {
    this.lines.push(line);
    this.waiters = this.waiters.filter((waiter) => !waiter());
  }

  // The `occurrence`th console line since the page last loaded that starts with `prefix`.
  waitForLine(prefix, occurrence = 1) {
    const find = () => this.lines.filter((line) => line.startsWith(prefix))[occurrence - 1];
    return new Promise((resolve) => {
      const timer = setTimeout(() => fail(`no console line "${prefix}"; the page said:\n${this.lines.join('\n')}`),
                               guardMs);
      const check = () => {
        const line = find();
        if (line === undefined) return false;
        clearTimeout(timer);
        resolve(line);
        return true;
      };
      if (!check()) this.waiters.push(check);
    });
  }

  async evaluate(expression) {
    const answer = await send(this.socket, 'Runtime.evaluate', {expression, awaitPromise: true, returnByValue: true},
                              this.sessionId);
    if (answer.exceptionDetails) fail(`${expression}: ${JSON.stringify(answer.exceptionDetails)}`);
    return answer.result.value;
  }

  // Polls a condition of the page's own state, such as a file the game wrote.
  async until(expression, what) {
    const start = Date.now();
    while (!(await this.evaluate(expression))) {
      if (Date.now() - start > guardMs) fail(`${what}; the page said:\n${this.lines.join('\n')}`);
      await new Promise((resolve) => setTimeout(resolve, 100));
    }
  }

  async open(url) {
    this.lines = [];
    await send(this.socket, 'Page.navigate', {url}, this.sessionId);
  }

  async key(name, type = 'press') {
    const codes = {Enter: 13, Escape: 27, ArrowUp: 38, ArrowDown: 40, ArrowLeft: 37, ' ': 32, d: 68};
    const event = {key: name, code: name.length === 1 ? `Key${name.toUpperCase()}` : name,
                   windowsVirtualKeyCode: codes[name], nativeVirtualKeyCode: codes[name]};
    if (name === ' ') event.code = 'Space';
    if (type !== 'up') await send(this.socket, 'Input.dispatchKeyEvent', {type: 'keyDown', ...event}, this.sessionId);
    if (type !== 'down') await send(this.socket, 'Input.dispatchKeyEvent', {type: 'keyUp', ...event}, this.sessionId);
  }
}

let nextId = 0;
const replies = new Map();
function send(socket, method, params = {}, sessionId = undefined) {
  const id = ++nextId;
  socket.send(JSON.stringify({id, method, params, sessionId}));
  return new Promise((resolve) => replies.set(id, resolve));
}

async function connect(endpoint) {
  const socket = new WebSocket(endpoint);
  await new Promise((resolve) => socket.addEventListener('open', resolve));
  const pages = new Map();
  const listeners = [];
  socket.addEventListener('message', (message) => {
    const data = JSON.parse(message.data);
    if (data.id && replies.has(data.id)) {
      replies.get(data.id)(data.result || {exceptionDetails: data.error});
      replies.delete(data.id);
    } else if (data.method === 'Runtime.consoleAPICalled' && pages.has(data.sessionId)) {
      pages.get(data.sessionId).heard(data.params.args.map((arg) => arg.value).join(' '));
    }
    listeners.forEach((listener) => listener(data));
  });
  const {targetId} = await send(socket, 'Target.createTarget', {url: 'about:blank'});
  const {sessionId} = await send(socket, 'Target.attachToTarget', {targetId, flatten: true});
  const page = new Page(socket, sessionId);
  pages.set(sessionId, page);
  await send(socket, 'Runtime.enable', {}, sessionId);
  await send(socket, 'Page.enable', {}, sessionId);
  return {page, socket, listeners};
}

function nativeRun(args, cwd = work) {
  const result = spawnSync(nativeGame, args, {cwd, encoding: 'utf8', timeout: guardMs});
  return {status: result.status, out: result.stdout + result.stderr};
}

function readPpm(text) {
  const words = text.split(/\s+/).filter((word) => word !== '');
  if (words[0] !== 'P3') fail('not a plain PPM');
  const [width, height] = [Number(words[1]), Number(words[2])];
  return {width, height, values: words.slice(4, 4 + width * height * 3).map(Number)};
}

// The share of pixels whose colour differs by more than `tolerance` in any channel.
function differingShare(a, b, tolerance) {
  if (a.width !== b.width || a.height !== b.height) fail(`frames of ${a.width}x${a.height} and ${b.width}x${b.height}`);
  let differing = 0;
  for (let i = 0; i < a.values.length; i += 3) {
    const apart = Math.max(...[0, 1, 2].map((c) => Math.abs(a.values[i + c] - b.values[i + c])));
    if (apart > tolerance) ++differing;
  }
  return differing / (a.width * a.height);
}

function finalState(line) {
  const found = line.match(/final state ([0-9a-f]+): the same game/);
  if (!found) fail(`not the same game: ${line}`);
  return found[1];
}

const server = await serve(path.resolve(pageDir));
const base = `http://127.0.0.1:${server.address().port}/`;
const {browser, endpoint} = await startChromium();
const {page, socket, listeners} = await connect(endpoint);
const dataFolder = '/home/web_user/.local/share/zarnok';
const optionsFile = '/home/web_user/.config/zarnok/options.ini';
const fileText = (file) => `(() => { try { return FS.readFile('${file}', {encoding: 'utf8'}); } catch (e) { return ''; } })()`;

// 1. The first frame of seed 7, as the game itself reads it back, against the native one.
await page.open(`${base}?seed=7&run_headless`);
await page.until('window.zarnokExitStatus !== undefined', 'the headless frame never ended');
// The picture's text is too long for one DevTools message: the page sends its values as bytes.
const webPicture = await page.evaluate(`(() => {
  const words = FS.readFile('/screenshot.ppm', {encoding: 'utf8'}).split(/\\s+/);
  let bytes = '';
  for (let i = 4; i < words.length; ++i) if (words[i] !== '') bytes += String.fromCharCode(Number(words[i]));
  return {width: Number(words[1]), height: Number(words[2]), pixels: btoa(bytes)};
})()`);
const webFrame = {width: webPicture.width, height: webPicture.height,
                  values: Array.from(Buffer.from(webPicture.pixels, 'base64'))};
const native = nativeRun(['--run_headless', '--seed', '7', '--filename', 'native-first-frame']);
if (native.status !== 0) fail(`the native headless frame: ${native.out}`);
const nativeFrame = readPpm(fs.readFileSync(path.join(work, 'native-first-frame.ppm'), 'utf8'));
const share = differingShare(webFrame, nativeFrame, 24);
console.log(`web-test: first frame of seed 7: ${(share * 100).toFixed(2)} % of pixels differ by more than 24 ` +
            'levels from the native frame (SwiftShader against llvmpipe)');
if (share > 0.03) fail('the first frame is not the native one');

// 2. The committed replay, re-simulated in the page to the native final state.
await page.open(base);
await page.waitForLine('Title screen shown.');
const nativeVerify = nativeRun(['--verify-replay', path.resolve(playedReplay)]);
const bytes = fs.readFileSync(playedReplay).toString('base64');
const status = await page.evaluate(`zarnokVerify(Uint8Array.from(atob('${bytes}'), (c) => c.charCodeAt(0)))`);
const webState = finalState(await page.waitForLine("Replay '/tmp/verify.replay'"));
if (status !== 0 || webState !== finalState(nativeVerify.out)) fail(`the page re-simulated ${webState}, status ${status}`);
console.log(`web-test: ${path.basename(playedReplay)} verifies in the page: final state ${webState}, as natively`);

// 3. An option changed on the options screen (effects volume a step down), then a run started
// by a key and played until it falls.
for (const key of ['ArrowDown', 'ArrowDown', 'ArrowDown', 'Enter', 'ArrowDown', 'ArrowDown', 'ArrowLeft']) await page.key(key);
await page.until(`${fileText(optionsFile)}.includes('effects = 70')`, 'the options file never said effects = 70');
for (const key of ['Escape', 'ArrowUp', 'ArrowUp', 'ArrowUp', 'Enter']) await page.key(key);
console.log(`web-test: ${await page.waitForLine('Run started with seed')}`);
await page.key(' ');
await page.key('d', 'down');
const gameOver = await page.waitForLine('Game over at tick');
await page.key('d', 'up');
console.log(`web-test: ${gameOver}`);
await page.until(`${fileText(dataFolder + '/scores')}.trim() !== ''`, 'the run never reached the table');
await page.evaluate('new Promise((resolve) => FS.syncfs(false, resolve))');

// 4. Its replay, downloaded through the page, is the same game natively.
await send(socket, 'Browser.setDownloadBehavior', {behavior: 'allow', downloadPath: work, eventsEnabled: true});
const downloaded = new Promise((resolve) => listeners.push((data) => {
  if (data.method === 'Browser.downloadProgress' && data.params.state === 'completed') resolve();
}));
await page.evaluate("document.getElementById('download').click()");
await downloaded;
const recorded = nativeRun(['--verify-replay', path.join(work, 'last.replay')]);
if (recorded.status !== 0) fail(`the page's replay natively: ${recorded.out}`);
console.log(`web-test: the page's replay verifies natively: ${recorded.out.trim().split('\n').pop()}`);

// 5. After a reload the option and the table's row are still there.
const table = await page.evaluate(fileText(dataFolder + '/scores'));
await page.open(base);
await page.waitForLine('Title screen shown.');
if (!(await page.evaluate(fileText(optionsFile))).includes('effects = 70')) fail('the option was lost on reload');
if ((await page.evaluate(fileText(dataFolder + '/scores'))) !== table) fail('the table was lost on reload');
console.log('web-test: after a reload the options and the high-score table are as they were');

// 6. A replay file dropped onto the game plays in the viewer.
await page.evaluate(`(() => {
  const files = new DataTransfer();
  files.items.add(new File([Uint8Array.from(atob('${bytes}'), (c) => c.charCodeAt(0))], 'dropped.replay'));
  for (const type of ['dragenter', 'dragover', 'drop'])
    canvas.dispatchEvent(new DragEvent(type, {dataTransfer: files, bubbles: true, cancelable: true}));
})()`);
console.log(`web-test: a dropped replay: ${await page.waitForLine('Replaying a run of 1419 ticks')}`);

// 7. The frame rate of Low, against the native benchmark of the same frames.
const frames = 300;
await page.open(`${base}?benchmark=${frames}&quality=low`);
const webBenchmark = await page.waitForLine('Benchmark:');
const nativeBenchmark = nativeRun(['--benchmark', `${frames}`, '--quality', 'low']).out.match(/Benchmark:.*/)[0];
const fps = (line) => Number(line.match(/([0-9.]+) frames per second/)[1]);
console.log(`web-test: Low in headless Chromium: ${webBenchmark}`);
console.log(`web-test: Low natively:             ${nativeBenchmark}`);
console.log(`web-test: frame rate ratio, browser to native: ${(fps(webBenchmark) / fps(nativeBenchmark)).toFixed(2)}`);

socket.close();
browser.kill();
server.close();
