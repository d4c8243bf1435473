// QLX's page in the system's headless Chromium, checked against the native qlx-cli:
//   node page_test.cjs CASE SITE_DIR QLX_CLI PLAYWRIGHT_CORE_DIR OUT_DIR
// Each case starts its own browser with its own empty profile, so the cases run in any order and
// in parallel. OUT_DIR receives the page's screenshots and the measured timings.
"use strict";
const assert = require("assert");
const {execFileSync} = require("child_process");
const fs = require("fs");
const os = require("os");
const path = require("path");

const [testCase, siteDir, qlxCli, playwrightDir, outDir] = process.argv.slice(2);
const {chromium} = require(playwrightDir);
const indexUrl = "file://" + path.resolve(siteDir, "index.html");
const dipole = path.resolve(__dirname, "../../data/dipole-through-30m-rg213.s1p");

// qlx-cli keeps its own cables in a file of this test's, never the user's.
const cablesFile = path.join(os.tmpdir(), "qlx-page-cables-" + process.pid + ".txt");
process.on("exit", () => fs.rmSync(cablesFile, {force: true}));
function cli(args) {
  try {
    return execFileSync(qlxCli, args, {encoding: "utf8", stdio: ["ignore", "pipe", "pipe"],
                                       env: {...process.env, QLX_CABLES_FILE: cablesFile}});
  } catch (e) {
    return e.stdout;  // a refused design still prints its JSON
  }
}
const cliJson = (args) => JSON.parse(cli([...args, "--json"]));

async function launch() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), "qlx-chromium-"));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: "/usr/bin/chromium",
    headless: true,
    viewport: {width: 1200, height: 900},
    args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run", "--disable-background-networking",
           "--disable-component-update", "--disable-sync"],
  });
  const page = context.pages()[0] || await context.newPage();
  const errors = [];
  page.on("pageerror", (e) => errors.push(e.message));
  return {context, page, errors, close: async () => {
    await context.close();
    fs.rmSync(profile, {recursive: true, force: true});
    assert.deepStrictEqual(errors, [], "the page raised errors");
  }};
}

async function open(page, url = indexUrl) {
  await page.goto(url);
  await page.waitForSelector("body[data-ready]");
}

const id = (win, control) => "#" + win + "\\." + control;

// The shipped dipole file dropped on the sweep window, as a user drops it; returns once the window
// has taken it.
async function dropDipole(page) {
  const text = fs.readFileSync(dipole, "latin1");
  await page.evaluate(([name, content]) => {
    const dt = new DataTransfer();
    dt.items.add(new File([content], name));
    document.getElementById("frmSweep").dispatchEvent(new DragEvent("drop", {dataTransfer: dt, bubbles: true, cancelable: true}));
  }, [path.basename(dipole), text]);
  await page.waitForFunction(() => qlx.state.windows.find((w) => w.name === "frmSweep").controls
    .find((c) => c.name === "txtFile").text !== "");
}

// What the page shows of a control: an entry's value attribute, a label's text, a list's choice,
// a picture's file.
async function shown(page, win, control) {
  return page.evaluate(([w, c]) => {
    const el = document.getElementById(w + "." + c);
    if (!el) return undefined;
    if (el.tagName === "INPUT") return el.getAttribute("value");
    if (el.tagName === "SELECT") return el.options[el.selectedIndex].textContent;
    if (el.tagName === "IMG") return el.getAttribute("src");
    return el.textContent;
  }, [win, control]);
}

// Every field qlx-cli reports, as the page shows it.
async function expectFields(page, win, fields, skip = []) {
  for (const [name, text] of Object.entries(fields)) {
    if (skip.includes(name)) continue;
    const expected = name === "picSchematic" ? path.basename(text) : text;
    assert.strictEqual(await shown(page, win, name), expected, win + "." + name);
  }
}

async function type(page, win, control, text) {
  await page.fill(id(win, control), text);
}

// The main window's entries in the order qlx-cli types them.
async function typeLine(page, line) {
  if (line.meters) await page.click(id("frmQLX2", "optMeters"));
  if (line.freq) await type(page, "frmQLX2", "txtFreq", line.freq);
  if (line.cable !== undefined) await page.selectOption(id("frmQLX2", "cboPickCable"), {index: line.cable});
  if (line.length) await type(page, "frmQLX2", "txtLength", line.length);
  if (line.at === "input") await page.click(id("frmQLX2", "optInput"));
  if (line.r) await type(page, "frmQLX2", "txtResistance", line.r);
  if (line.x) await type(page, "frmQLX2", "txtReactance", line.x);
}
function lineArgs(line) {
  const a = [];
  if (line.meters) a.push("--meters");
  if (line.freq) a.push("--freq", line.freq);
  if (line.cable !== undefined) a.push("--cable", String(line.cable));
  if (line.length) a.push("--length", line.length);
  if (line.at) a.push("--at", line.at);
  if (line.r) a.push("--r", line.r);
  if (line.x) a.push("--x", line.x);
  return a;
}

const LINES = [
  {freq: "14.2", length: "50", r: "100", x: "-20"},
  {freq: "7.05", cable: 3, length: "0.25w", r: "12.5", x: "35"},
  {meters: true, freq: "144.3", cable: 20, length: "12.7", r: "73", x: "42.5"},
  {freq: "1.83", length: "250", at: "input", r: "35", x: "-80"},
  {freq: "28.5", cable: 10, length: "1000", r: "2", x: "0"},
  {freq: "3.5", r: "0", x: "5"},  // near a pure reactance: a negative SWR at the load
];

// The sweep's points as text (CSV, or a Touchstone file's blank-separated columns): every cell the
// same text, but for unrounded numbers, which agree to 1e-13 relative (the browser's math library
// may round a last digit otherwise than the native one).
function expectSameCsv(actual, expected, separator = ",") {
  const a = actual.split("\n"), e = expected.split("\n");
  assert.strictEqual(a.length, e.length, "the number of lines");
  a.forEach((row, r) => {
    const x = row.split(separator), y = e[r].split(separator);
    assert.strictEqual(x.length, y.length);
    x.forEach((cell, c) => {
      if (cell === y[c]) return;
      const p = Number(cell), q = Number(y[c]);
      assert.ok(Number.isFinite(p) && Math.abs(p - q) <= 1e-13 * Math.abs(q), "line " + r + ": " + cell + " against " + y[c]);
    });
  });
}

const cases = {
  // Typing a line gives exactly the command line's texts, field for field.
  async lines() {
    for (const line of LINES) {
      const b = await launch();
      await open(b.page);
      await typeLine(b.page, line);
      // The list shows the catalogue entry; qlx-cli reports the option chosen by caption.
      const j = cliJson(["line", ...lineArgs(line)]);
      await expectFields(b.page, "frmQLX2", j.fields, ["frameZInput"]);
      // Every field's status as qlx-cli reports it: the dark ink, a mark, the reason as the tip.
      const marks = await b.page.$$eval("#frmQLX2 [data-status]", (els) => els.filter((e) => !e.hidden).map((e) => {
        const s = getComputedStyle(e), before = getComputedStyle(e, "::before");
        return [e.id.split(".")[1], {status: e.dataset.status, reason: e.title}, s.color,
                e.tagName === "INPUT" ? s.backgroundImage.startsWith("url(") : before.content.length > 2];
      }));
      assert.deepStrictEqual(Object.fromEntries(marks.map((m) => [m[0], m[1]])), j.statuses || {});
      for (const [name, , ink, marked] of marks) {
        assert.strictEqual(ink, "rgb(176, 0, 0)", name);
        assert.ok(marked, name + " carries a mark");
      }
      await b.close();
    }
  },

  // A bad entry shows the window's own message box, as qlx-cli reports it ("title: text"); once
  // it is answered, the page shows the line the window went on with, as qlx-cli solves it.
  async "bad-entry"() {
    const entries = [["txtFreq", "6000", "--freq"], ["txtLength", "12000", "--length"]];
    for (const [field, text, option] of entries) {
      const b = await launch();
      await open(b.page);
      await type(b.page, "frmQLX2", field, text);
      let said = "";
      try {
        execFileSync(qlxCli, ["line", option, text], {encoding: "utf8", stdio: ["ignore", "ignore", "pipe"]});
      } catch (e) {
        said = e.stderr.trim();
      }
      assert.ok(await b.page.$eval("#message", (d) => d.open), "the message is shown modally");
      assert.strictEqual(await b.page.textContent("#message-title") + ": " + await b.page.textContent("#message-text"), said);
      await b.page.click("#message-ok");
      const kept = await shown(b.page, "frmQLX2", field);
      assert.notStrictEqual(kept, text, "the refused entry does not stay");
      await expectFields(b.page, "frmQLX2", cliJson(["line", option, kept]).fields, ["frameZInput"]);
      await b.close();
    }
  },

  // Nothing typed is lost: the defaults are kept a moment after each change, so a browser killed
  // outright (as a phone swipes it away) starts again with what was typed.
  async kept() {
    const profile = fs.mkdtempSync(path.join(os.tmpdir(), "qlx-chromium-"));
    const start = () => chromium.launchPersistentContext(profile, {
      executablePath: "/usr/bin/chromium", headless: true,
      args: ["--no-sandbox", "--disable-gpu", "--no-first-run", "--disable-background-networking", "--disable-sync"]});
    let context = await start();
    let page = context.pages()[0] || await context.newPage();
    await open(page);
    await page.click(id("frmQLX2", "optResisReac"));  // kept in the settings, not in TL.DEF
    await type(page, "frmQLX2", "txtFreq", "21.2");
    await type(page, "frmQLX2", "txtReactance", "-33");
    // Kept in the page's storage without the page being hidden or closed.
    await page.waitForFunction(() => /21\.2/.test(window.localStorage.getItem("QLX TL.DEF") || ""), null, {timeout: 5000});
    await page.waitForFunction(() => /graph=rx/.test(window.localStorage.getItem("QLX settings.ini") || ""), null, {timeout: 5000});
    // The browser writes its storage to disk within seconds; then it is killed, not closed.
    await page.waitForTimeout(8000);
    execFileSync("pkill", ["-KILL", "-f", "--", "--user-data-dir=" + profile]);
    await context.close().catch(() => {});
    context = await start();
    page = context.pages()[0] || await context.newPage();
    await open(page);
    assert.strictEqual(await shown(page, "frmQLX2", "txtFreq"), "21.2");
    assert.strictEqual(await shown(page, "frmQLX2", "txtReactance"), "-33");
    assert.ok(await page.isChecked(id("frmQLX2", "optResisReac") + " input"), "the graph's kind is back");
    await context.close();
    fs.rmSync(profile, {recursive: true, force: true});
  },

  // Two megabytes pasted into an entry: cut to what a field holds, the user told, and the page
  // works on; a stored record as long keeps the page from nothing.
  async "huge-paste"() {
    const b = await launch();
    await open(b.page);
    await b.page.click(id("frmQLX2", "cmdTuner"));
    await b.page.click(id("frmTuner", "cmdPlan"));
    await type(b.page, "frmPlan", "txtHave", "7".repeat(2 * 1024 * 1024));
    assert.ok(await b.page.$eval("#message", (d) => d.open), "the cut is told");
    assert.match(await b.page.textContent("#message-text"), /at most 1000 characters/);
    await b.page.click("#message-ok");
    assert.strictEqual((await shown(b.page, "frmPlan", "txtHave")).length, 1000);
    // A number entry refuses its megabyte as a number it cannot hold, and keeps its last value.
    await type(b.page, "frmQLX2", "txtResistance", "7".repeat(2 * 1024 * 1024));
    while (await b.page.$eval("#message", (d) => d.open)) await b.page.click("#message-ok");
    assert.strictEqual(await shown(b.page, "frmQLX2", "txtResistance"), "50");
    const line = {freq: "14.2", r: "75", x: "10"};
    await typeLine(b.page, line);
    await expectFields(b.page, "frmQLX2", cliJson(["line", ...lineArgs(line)]).fields, ["frameZInput"]);
    // A module that aborts (here made to, at the next event) is told once and started again from
    // the values kept: the next typing computes.
    await b.page.waitForFunction(() => (localStorage.getItem("QLX TL.DEF") || "").includes("14.2"));
    await b.page.evaluate(() => { qlx.module._qlx_event = () => { throw new WebAssembly.RuntimeError("Aborted(made to)"); }; });
    await type(b.page, "frmQLX2", "txtFreq", "7");
    assert.match(await b.page.textContent("#message-text"), /could not take that.*Aborted\(made to\)/);
    await b.page.click("#message-ok");
    await b.page.waitForFunction(() => !qlx.restarting && !qlx.module._qlx_event.toString().includes("made to"));
    await type(b.page, "frmQLX2", "txtFreq", "21.2");
    assert.strictEqual(await shown(b.page, "frmQLX2", "txtMLPer"), cliJson(["line", ...lineArgs({...line, freq: "21.2"})]).fields.txtMLPer);
    await b.page.evaluate(() => window.localStorage.setItem("QLX TL.DEF", "F\n" + "9".repeat(2 * 1024 * 1024)));
    await b.page.reload();
    await b.page.waitForSelector("body[data-ready]");
    assert.ok(await b.page.isVisible("#frmQLX2"), "the page starts with a long stored record");
    await b.close();
  },

  // The user-defined line: its dialog, OK, the results as qlx-cli gives them; the record kept in
  // the browser and offered again after a reload; a damaged record damages nothing else.
  async "user-line"() {
    const b = await launch();
    await open(b.page);
    await type(b.page, "frmQLX2", "txtFreq", "10.1");
    await b.page.selectOption(id("frmQLX2", "cboPickCable"), {index: 32});
    assert.ok(await b.page.$eval("#frmOtrCable", (d) => d.open), "the dialog opens modally");
    const record = {txtR0: "75", txtX0: "-0.5", txtAtten100: "1.2", txtVF: "0.8", txtVMax: "2500"};
    for (const [name, text] of Object.entries(record)) await type(b.page, "frmOtrCable", name, text);
    await b.page.click(id("frmOtrCable", "cmdOK"));
    assert.ok(!(await b.page.$eval("#frmOtrCable", (d) => d.open)), "OK closes the dialog");
    const expected = cliJson(["line", "--freq", "10.1", "--cable", "32", "--user-line", "75,-0.5,1.2,10.1,0.8,2500"]);
    await expectFields(b.page, "frmQLX2", expected.fields, ["frameZInput"]);
    // A new frequency asks for the line to be chosen again ("<--Click again"); choosing the entry
    // already chosen opens the dialog again. A browser reports a change only when the choice
    // differs from what the list shows as the pointer goes down on it: so the choice is made here.
    await type(b.page, "frmQLX2", "txtFreq", "14.1");
    assert.strictEqual(await shown(b.page, "frmQLX2", "LblWarning"), "<--Click again");
    await b.page.evaluate(() => {
      const list = document.getElementById("frmQLX2.cboPickCable");
      list.dispatchEvent(new MouseEvent("mousedown", {bubbles: true}));
      const before = list.selectedIndex;
      list.selectedIndex = 32;
      if (list.selectedIndex !== before) list.dispatchEvent(new Event("change", {bubbles: true}));
    });
    assert.ok(await b.page.$eval("#frmOtrCable", (d) => d.open), "choosing the line again opens its dialog");
    await b.page.click(id("frmOtrCable", "cmdOK"));
    await type(b.page, "frmQLX2", "txtFreq", "10.1");
    const stored = await b.page.evaluate(() => localStorage.getItem("QLX TL.DEF"));
    assert.ok(stored && stored.split("\r\n").length >= 17, "the record is stored in the browser");
    // Reopened, the page offers the stored line again.
    await open(b.page);
    await type(b.page, "frmQLX2", "txtFreq", "10.1");
    await b.page.selectOption(id("frmQLX2", "cboPickCable"), {index: 32});
    assert.strictEqual(await shown(b.page, "frmOtrCable", "txtR0"), "75.000");
    assert.strictEqual(await shown(b.page, "frmOtrCable", "txtVF"), "0.800");
    await b.page.keyboard.press("Escape");
    // A damaged record (written after the page's own save as it closes): feet kept, every other
    // line damaged or missing, and the page starts with the start-up line.
    await b.page.evaluate(() => window.addEventListener("pagehide", () =>
      localStorage.setItem("QLX TL.DEF", "F\r\n\u0007garbage\r\n;;;\r\n" + "x".repeat(5000))));
    await open(b.page);
    await expectFields(b.page, "frmQLX2", cliJson(["line"]).fields, ["frameZInput"]);
    await b.close();
  },

  // A cable of one's own from a maker's table: Fit… in the user-defined line's dialog, the fit and
  // its chart, Save; the cable is listed after the user-defined line, kept in the browser's
  // storage as QLX cables.txt keeps it, and after a reload gives what qlx-cli gives with that file.
  async "own-cable"() {
    const b = await launch();
    await open(b.page);
    await b.page.selectOption(id("frmQLX2", "cboPickCable"), {index: 32});
    await b.page.click(id("frmOtrCable", "cmdFit"));
    assert.ok(await b.page.$eval("#frmOwnCable", (d) => d.open), "Fit… opens the window");
    await type(b.page, "frmOwnCable", "txtName", "My LMR");
    await type(b.page, "frmOwnCable", "txtCableR0", "50");
    await type(b.page, "frmOwnCable", "txtCableVF", "0.85");
    await type(b.page, "frmOwnCable", "txtPoints", "900:3.9,2500:6.76");
    await b.page.click(id("frmOwnCable", "cmdCalculate"));
    assert.strictEqual(await shown(b.page, "frmOwnCable", "txtK1"), "0.1222");
    assert.strictEqual(await shown(b.page, "frmOwnCable", "txtK2"), "0.00026");
    // The chart has its two curves: the fit and the table's points.
    await b.page.waitForFunction(() => {
      const c = document.getElementById("frmOwnCable.Chart");
      return c && c.chart && c.chart.data && c.chart.data.curves.length === 2;
    });
    await b.page.click(id("frmOwnCable", "cmdSave"));
    assert.match(await shown(b.page, "frmOwnCable", "lblStatus"), /^Kept in QLX cables\.txt/);
    await b.page.locator("#frmOwnCable").screenshot({path: path.join(outDir, "web-own-cable.png")});
    await b.page.click(id("frmOwnCable", "cmdClose"));
    await b.page.click(id("frmOtrCable", "cmdOK"));
    const kept = await b.page.evaluate(() => localStorage.getItem("QLX cables.txt"));
    assert.ok(kept && kept.includes("My LMR\t50\t0.85\t"), "kept in the browser's storage");
    // A sample measured open and shorted: 10 m of RG-213 ended in 1e7 and 1e-4 ohms, as qlx-cli
    // sweep writes its input; chosen as files, the window finds RG-213's velocity factor.
    const files = {};
    for (const [end, r] of [["open", "1e7"], ["short", "1e-4"]]) {
      files[end] = path.join(os.tmpdir(), "qlx-page-" + end + "-" + process.pid + ".s1p");
      fs.writeFileSync(files[end], cli(["sweep", "--cable", "rg-213", "--meters", "--length", "10", "--r", r, "--x", "0",
                                        "--from", "1", "--to", "30", "--points", "59", "--s1p"]));
    }
    await b.page.selectOption(id("frmQLX2", "cboPickCable"), {index: 32});
    await b.page.click(id("frmOtrCable", "cmdMeasure"));
    await b.page.setInputFiles("#frmOwnCable\\.txtOpenFile\\.file", files.open);
    await b.page.setInputFiles("#frmOwnCable\\.txtShortFile\\.file", files.short);
    await b.page.waitForFunction(() => document.getElementById("frmOwnCable.txtShortFile").value.endsWith(".s1p"));
    await type(b.page, "frmOwnCable", "txtSampleLength", "10");
    await b.page.click(id("frmOwnCable", "optSampleMeters"));
    await b.page.click(id("frmOwnCable", "cmdCalculate"));
    assert.strictEqual(await shown(b.page, "frmOwnCable", "txtCableVF"), "0.660");
    await b.page.keyboard.press("Escape");
    await b.page.keyboard.press("Escape");
    for (const f of Object.values(files)) fs.rmSync(f);
    fs.writeFileSync(cablesFile, kept);
    await open(b.page);
    // The user-defined line was the last chosen: its dialog opens first, as at every start.
    await b.page.click(id("frmOtrCable", "cmdOK"));
    await typeLine(b.page, {freq: "14.2", cable: 33, length: "50", r: "100", x: "-20"});
    assert.strictEqual(await shown(b.page, "frmQLX2", "cboPickCable"), " My LMR");
    const expected = cliJson(["line", "--freq", "14.2", "--cable", "My LMR", "--length", "50", "--r", "100", "--x", "-20"]);
    await expectFields(b.page, "frmQLX2", expected.fields, ["frameZInput"]);
    await b.close();
  },

  // Every network's page equals qlx-cli tuner's fields; the comparison lists them all.
  async tuner() {
    const b = await launch();
    await open(b.page);
    const line = {freq: "7.1", length: "80", r: "20", x: "-60"};
    await typeLine(b.page, line);
    await b.page.click(id("frmQLX2", "cmdTuner"));
    const networks = {hpl: "optLNet1", lpl: "optLNet2", pi: "optPiNet", tee: "optTeeNet"};
    for (const [network, option] of Object.entries(networks)) {
      await b.page.click(id("frmTuner", option));
      assert.ok(await b.page.isChecked(id("frmTuner", option) + " input"), "the option clicked shows chosen");
      await b.page.click(id("frmTuner", "cmdDrawTuner"));
      const expected = cliJson(["tuner", ...lineArgs(line), "--network", network]);
      assert.ok(expected.page, network + " has a page");
      const caption = await b.page.textContent("#" + expected.page + " > header h2");
      assert.strictEqual(caption, expected.fields.caption, network + " caption");
      await expectFields(b.page, expected.page, expected.fields, ["caption"]);
      await b.page.locator("#" + expected.page).screenshot({path: path.join(outDir, "web-tuner-" + network + ".png")});
    }
    await b.page.click(id("frmTuner", "cmdCompare"));
    const rows = await b.page.$$eval("#frmCompare button[data-control^=cmdRow]:not([hidden])", (x) => x.length);
    assert.strictEqual(rows, cliJson(["tuner", ...lineArgs(line), "--network", "all"]).designs.length);
    await b.close();
  },

  // With an analyser's file dropped on the sweep, the comparison and every row's page design for
  // the file's antenna, as qlx-cli tuner --touchstone does: each row draws exactly its page.
  async "measured-compare"() {
    const b = await launch();
    await open(b.page);
    const line = {meters: true, freq: "14.1", cable: 17, length: "30"};
    await typeLine(b.page, line);
    await b.page.click(id("frmQLX2", "cmdSweep"));
    await dropDipole(b.page);
    await b.page.click(id("frmQLX2", "cmdTuner"));
    await b.page.click(id("frmTuner", "cmdCompare"));
    const expected = cliJson(["tuner", ...lineArgs(line), "--at", "input", "--touchstone", dipole, "--network", "all"]);
    const rows = await b.page.$$eval("#frmCompare button[data-control^=cmdRow]:not([hidden])", (x) => x.length);
    assert.strictEqual(rows, expected.designs.length);
    let drawn = 0;
    for (let k = 0; k < rows; ++k) {
      const design = expected.designs[k];
      if (!design.ok) continue;
      await b.page.click(id("frmCompare", "cmdRow" + k));
      await expectFields(b.page, design.network === "tee" ? "frmTuner2" : "frmTuner1", design.fields, ["caption"]);
      ++drawn;
    }
    assert.ok(drawn >= 3, "the file's antenna is matched by most networks");
    await b.close();
  },

  // The noise bridge's and the analyser's dialogs: readings typed, the dialog's result and, after
  // OK, the main window as qlx-cli bridge and analyser give them.
  async instruments() {
    const runs = [
      {option: "optNoiseBridge", dialog: "frmNB", typed: {txtResist: "100", txtReact: "100", txtExtender: "5"},
       args: ["bridge", "--freq", "3.5", "--rp", "100", "--cp", "100", "--extender", "5"]},
      {option: "optAutek", dialog: "frmAutek", typed: {txtAutekZ: "75", txtAutekSWR: "2"}, click: "optNegative",
       args: ["analyser", "--z", "75", "--swr", "2", "--sign", "negative"]},
    ];
    for (const run of runs) {
      const b = await launch();
      await open(b.page);
      await b.page.click(id("frmQLX2", run.option));
      assert.ok(await b.page.$eval("#" + run.dialog, (d) => d.open), run.dialog + " opens modally");
      for (const [name, text] of Object.entries(run.typed)) await type(b.page, run.dialog, name, text);
      if (run.click) await b.page.click(id(run.dialog, run.click));
      const expected = cliJson(run.args).fields;
      const inDialog = {}, inMain = {};
      for (const [name, text] of Object.entries(expected)) {
        if (name.startsWith("fra") || name === "frameZInput") continue;  // an option group's choice
        (await b.page.$("#" + run.dialog + "\\." + name) ? inDialog : inMain)[name] = text;
      }
      await expectFields(b.page, run.dialog, inDialog);
      await b.page.click(id(run.dialog, "cmdOK"));
      assert.ok(!(await b.page.$eval("#" + run.dialog, (d) => d.open)));
      await expectFields(b.page, "frmQLX2", inMain);
      assert.ok(await b.page.isChecked(id("frmQLX2", "optInput") + " input"), "the impedance is at the line input");
      await b.close();
    }
  },

  // What the page downloads is what qlx-cli writes: the graph's points, the sweep's points and
  // the other end as a Touchstone file, and the charts as PNG pictures.
  async downloads() {
    const b = await launch();
    await open(b.page);
    await typeLine(b.page, LINES[0]);
    await b.page.click(id("frmQLX2", "cmdGraph"));
    await b.page.click(id("frmQLX2", "cmdSweep"));
    const fetch = async (win, what) => {
      const [download] = await Promise.all([b.page.waitForEvent("download"),
                                            b.page.click("#" + win + " button[data-download=\"" + what + "\"]")]);
      return {name: download.suggestedFilename(), bytes: fs.readFileSync(await download.path())};
    };
    const graph = await fetch("frmVolt", "graph.csv");
    assert.strictEqual(graph.name, "QLX graph.csv");
    expectSameCsv(graph.bytes.toString("utf8"), cli(["graph", ...lineArgs(LINES[0]), "--csv"]));
    const band = ["--from", "12.78", "--to", "15.62"];
    const csv = await fetch("frmSweep", "sweep.csv");
    expectSameCsv(csv.bytes.toString("utf8"), cli(["sweep", ...lineArgs(LINES[0]), ...band, "--csv"]));
    const s1p = await fetch("frmSweep", "sweep.s1p");
    assert.strictEqual(s1p.name, "QLX sweep.s1p");
    expectSameCsv(s1p.bytes.toString("utf8"), cli(["sweep", ...lineArgs(LINES[0]), ...band, "--s1p"]), " ");
    for (const [win, what] of [["frmVolt", "png:graph"], ["frmSweep", "png:smith"]]) {
      const png = await fetch(win, what);
      assert.deepStrictEqual([...png.bytes.subarray(0, 4)], [0x89, 0x50, 0x4e, 0x47], what + " is a PNG picture");
    }
    await b.close();
  },

  // A long sweep runs in slices: its progress shows, the page answers typing meanwhile, and the
  // points all arrive. What the run showed is read from the page's own record afterwards, so a
  // busy machine that finishes the run between two looks does not fail it.
  async "long-sweep"() {
    const b = await launch();
    await open(b.page);
    await b.page.click(id("frmQLX2", "cmdSweep"));
    await type(b.page, "frmSweep", "txtPoints", "100001");
    await b.page.click(id("frmSweep", "cmdSweep"));
    await type(b.page, "frmQLX2", "txtReactance", "25");
    assert.strictEqual(await shown(b.page, "frmQLX2", "txtReactance"), "25");
    await b.page.waitForFunction(() => !qlx.state.sweeping, null, {timeout: 60000});
    const slices = Number(await b.page.getAttribute("#frmSweep\\.progress", "data-slices-shown"));
    assert.ok(slices > 1, "the run went in slices, its progress shown (" + slices + ")");
    assert.ok(await b.page.isHidden("#frmSweep\\.progress"));
    const summary = await shown(b.page, "frmSweep", "txtSummary");
    assert.match(summary, /^100001 points|^100,001 points/);
    await b.close();
  },

  // The station plan: opened from the tuner window, its CSV is qlx-cli plan's, a cell draws the
  // page qlx-cli tuner prints at that point, a length scan goes in slices and matches qlx-cli's
  // scan, and closing the window ends a scan.
  async plan() {
    const b = await launch();
    await b.page.setViewportSize({width: 1366, height: 768});
    await open(b.page);
    const line = {meters: true, cable: 17, length: "20", r: "45", x: "-250"};
    await typeLine(b.page, line);
    await b.page.click(id("frmQLX2", "cmdTuner"));
    await b.page.click(id("frmTuner", "cmdPlan"));
    await b.page.waitForSelector("#frmPlan\\.Table tbody tr");
    const text = (what) => b.page.evaluate((w) => JSON.parse(qlx.module.ccall("qlx_text", "string", ["string"], [w])), what);
    expectSameCsv(await text("plan.csv"), cli(["plan", ...lineArgs(line), "--csv"]));
    assert.strictEqual(await b.page.$$eval("#frmPlan\\.Table tbody tr", (r) => r.length), 30);
    await b.page.locator("#frmPlan").screenshot({path: path.join(outDir, "web-plan.png")});
    // 7.1 MHz (the 40 m band's centre, row 10): the Tee's and the low-pass L's cells draw the pages
    // qlx-cli tuner prints there.
    const columns = await b.page.$$eval("#frmPlan\\.Table thead th", (h) => h.map((x) => x.textContent));
    const expected = cliJson(["tuner", ...lineArgs(line), "--freq", "7.1", "--network", "all"]);
    let drawn = 0;
    for (const [network, column] of [["tee", "High-Pass Tee-Network"], ["lpl", "Low-Pass L-Network"]]) {
      const design = expected.designs.find((d) => d.network === network);
      if (!design || !design.ok) continue;
      await b.page.click("#frmPlan\\.Table tbody tr:nth-child(11) td:nth-child(" + (columns.indexOf(column) + 1) + ")");
      await expectFields(b.page, network === "tee" ? "frmTuner2" : "frmTuner1", design.fields, ["caption"]);
      ++drawn;
    }
    assert.strictEqual(drawn, 2, "both networks match at 7.1 MHz");

    // A scan of 101 lengths in slices, its best lengths qlx-cli's.
    await b.page.click(id("frmPlan", "cmdClose"));
    await b.page.click(id("frmTuner", "cmdPlan"));
    await type(b.page, "frmPlan", "txtLengths", "10:30:0.2");
    await b.page.click(id("frmPlan", "cmdScan"));
    await type(b.page, "frmPlan", "txtHave", "tee:C1=10-250pF");
    assert.strictEqual(await shown(b.page, "frmPlan", "txtHave"), "tee:C1=10-250pF");
    await b.page.waitForFunction(() => !qlx.state.scanning, null, {timeout: 60000});
    const slices = Number(await b.page.getAttribute("#frmPlan\\.progress", "data-slices-shown"));
    assert.ok(slices > 1, "the scan went in slices, its progress shown (" + slices + ")");
    const scanned = JSON.parse(await text("plan.json")).lengths;
    const cliScan = cliJson(["plan", ...lineArgs(line), "--lengths", "10:30:0.2"]).lengths;
    assert.strictEqual(scanned.length, cliScan.length);
    scanned.forEach((r, k) => {
      assert.strictEqual(r.network, cliScan[k].network, "length " + r.length);
      assert.ok(Math.abs(r.worst_loss_pct - cliScan[k].worst_loss_pct) <= 1e-9 * Math.abs(cliScan[k].worst_loss_pct));
    });
    assert.match(await shown(b.page, "frmPlan", "txtScanResult"), /^Best lengths: /);

    // Closed by Escape while scanning: the scan ends. Escape comes in the same task as the click,
    // before the first slice, so that the test does not race a fast scan.
    await type(b.page, "frmPlan", "txtLengths", "10:200:1");
    await b.page.evaluate(() => {
      document.getElementById("frmPlan.cmdScan").click();
      if (!qlx.state.scanning) throw new Error("the scan did not start");
      document.getElementById("frmPlan.txtLengths").dispatchEvent(new KeyboardEvent("keydown", {key: "Escape", bubbles: true}));
    });
    await b.page.waitForFunction(() => !qlx.state.scanning, null, {timeout: 10000});
    assert.ok(await b.page.isHidden("#frmPlan"));
    await b.page.click(id("frmTuner", "cmdPlan"));
    assert.match(await shown(b.page, "frmPlan", "txtScanResult"), /^Stopped after 0 of 191 lengths\. /);

    // On a phone, the table and the charts stack and the table scrolls in its own box.
    await b.page.setViewportSize({width: 390, height: 844});
    await b.page.locator("#frmPlan").screenshot({path: path.join(outDir, "web-plan-phone.png")});
    const width = await b.page.evaluate(() => document.getElementById("frmPlan").scrollWidth);
    assert.ok(width <= 390, "the plan window fits a phone's width (" + width + " px)");
    await b.close();
  },

  // A Touchstone file dropped on the sweep gives qlx-cli sweep's points.
  async touchstone() {
    const b = await launch();
    await open(b.page);
    await b.page.click(id("frmQLX2", "cmdSweep"));
    await dropDipole(b.page);
    const csv = await b.page.evaluate(() => JSON.parse(qlx.module.ccall("qlx_text", "string", ["string"], ["sweep.csv"])));
    expectSameCsv(csv, cli(["sweep", "--touchstone", dipole, "--at", "input", "--csv"]));
    // The pointer over the Smith chart shows the nearest point's tip; off the chart, none.
    const smith = b.page.locator("#frmSweep\\.Smith");
    await smith.scrollIntoViewIfNeeded();
    const box = await smith.boundingBox();
    await b.page.mouse.move(box.x + box.width / 2, box.y + box.height / 2);
    assert.match(await smith.getAttribute("data-tip"), /MHz/);
    await b.page.mouse.move(box.x - 20, box.y - 20);
    assert.strictEqual(await smith.getAttribute("data-tip"), "");
    await b.page.locator("#frmSweep").screenshot({path: path.join(outDir, "web-sweep.png")});
    // Files named "." and ".." (which name folders among the module's files) are taken as files.
    for (const name of [".", ".."]) {
      await b.page.evaluate(([n, content]) => {
        const dt = new DataTransfer();
        dt.items.add(new File([content], n));
        document.getElementById("frmSweep").dispatchEvent(new DragEvent("drop", {dataTransfer: dt, bubbles: true, cancelable: true}));
      }, [name, fs.readFileSync(dipole, "latin1")]);
      await b.page.waitForFunction((n) => qlx.state.windows.find((w) => w.name === "frmSweep").controls
        .find((c) => c.name === "txtFile").text === "(" + n + ")", name);
    }
    await b.close();
  },

  // Installable: an icon (no request for one fails), a manifest with the home screen's icons, and
  // a service worker that keeps the site, so that a reload with no network opens the page.
  async installable() {
    const siteServer = require(path.resolve(__dirname, "../../web/serve.cjs"));
    const server = siteServer(siteDir).listen(0, "127.0.0.1");
    await new Promise((r) => server.once("listening", r));
    const base = "http://127.0.0.1:" + server.address().port + "/";
    const b = await launch();
    const failed = [];
    b.page.on("response", (r) => { if (r.status() >= 400) failed.push(r.status() + " " + r.url()); });
    await open(b.page, base);
    const manifest = await b.page.evaluate(async () => {
      const link = document.querySelector("link[rel=manifest]");
      const m = await (await fetch(link.href)).json();
      const icons = [];
      for (const icon of m.icons) {
        const r = await fetch(new URL(icon.src, link.href));
        icons.push({sizes: icon.sizes, type: icon.type, status: r.status, got: r.headers.get("content-type")});
      }
      return {m, icons};
    });
    assert.strictEqual(manifest.m.short_name, "QLX");
    assert.strictEqual(manifest.m.display, "standalone");
    assert.strictEqual(manifest.m.start_url, "./");
    for (const size of ["192x192", "512x512"]) {
      const icon = manifest.icons.find((i) => i.sizes === size);
      assert.ok(icon && icon.status === 200 && icon.got === "image/png", "the " + size + " icon: " + JSON.stringify(icon));
    }
    // The worker takes the page over; then, with the network cut off, a reload still starts QLX.
    await b.page.evaluate(() => navigator.serviceWorker.ready);
    await b.page.reload();
    await b.page.waitForSelector("body[data-ready]");
    assert.ok(await b.page.evaluate(() => Boolean(navigator.serviceWorker.controller)), "the worker controls the page");
    await b.context.setOffline(true);
    server.close();
    await b.page.reload();
    await b.page.waitForSelector("body[data-ready]");
    await typeLine(b.page, LINES[0]);
    await expectFields(b.page, "frmQLX2", cliJson(["line", ...lineArgs(LINES[0])]).fields, ["frameZInput"]);
    assert.ok(await b.page.evaluate(() => fetch("QLX.PDF").then((r) => r.ok)), "the manual offline too");
    assert.deepStrictEqual(failed, []);
    await b.close();
  },

  // The site's server only serves: GET and HEAD of the site's files, with its security headers;
  // every other method 405, a NUL or malformed path 400, a link out of the site not followed, and
  // after each of them the server still answers.
  async server() {
    const siteServer = require(path.resolve(__dirname, "../../web/serve.cjs"));
    const net = require("net");
    const site = fs.mkdtempSync(path.join(os.tmpdir(), "qlx-site-"));
    const outside = fs.mkdtempSync(path.join(os.tmpdir(), "qlx-outside-"));
    fs.writeFileSync(path.join(site, "index.html"), "<p>site</p>");
    fs.writeFileSync(path.join(outside, "secret.txt"), "secret");
    fs.symlinkSync(path.join(outside, "secret.txt"), path.join(site, "link.txt"));
    fs.symlinkSync(outside, path.join(site, "out"));
    const server = siteServer(site).listen(0, "127.0.0.1");
    await new Promise((r) => server.once("listening", r));
    const port = server.address().port;
    // A request as raw bytes, so that nothing on this side mends it first; the status line's code.
    const raw = (text) => new Promise((resolve) => {
      const socket = net.connect(port, "127.0.0.1", () => socket.write(text));
      let reply = "";
      socket.on("data", (d) => { reply += d; });
      socket.on("close", () => resolve(reply));
      socket.on("error", () => resolve(reply));
    });
    const status = async (method, target) => {
      const reply = await raw(method + " " + target + " HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n");
      return {code: Number(reply.split(" ")[1]), reply};
    };
    const ok = await status("GET", "/");
    assert.strictEqual(ok.code, 200);
    assert.match(ok.reply, /x-content-type-options: nosniff/i);
    assert.match(ok.reply, /content-security-policy: default-src 'self'/i);
    assert.match(ok.reply, /<p>site<\/p>/);
    const head = await status("HEAD", "/index.html");
    assert.strictEqual(head.code, 200);
    assert.ok(!head.reply.includes("<p>site</p>"), "HEAD sends no body");
    for (const method of ["POST", "PUT", "DELETE", "TRACE", "OPTIONS", "PATCH"]) {
      const r = await status(method, "/index.html");
      assert.strictEqual(r.code, 405, method);
      assert.match(r.reply, /allow: GET, HEAD/i, method);
    }
    const cases = [["/%00", 400], ["/index.html%00.png", 400], ["/%E0%A4%A", 400], ["/link.txt", 404], ["/out/secret.txt", 404],
                   ["/../" + path.basename(outside) + "/secret.txt", 404], ["/%2e%2e/%2e%2e/etc/passwd", 404], ["/missing", 404]];
    for (const [target, code] of cases) {
      const r = await status("GET", target);
      assert.strictEqual(r.code, code, target);
      assert.ok(!r.reply.includes("secret"), target + " reaches no file outside the site");
      assert.strictEqual((await status("GET", "/")).code, 200, "the server answers after " + target);
    }
    // A request line the parser cannot read closes that connection; the server answers on.
    assert.match(await raw("GARBAGE\0\r\n\r\n"), /^HTTP\/1\.1 400/);
    assert.strictEqual((await status("GET", "/")).code, 200);
    server.close();
    fs.rmSync(site, {recursive: true, force: true});
    fs.rmSync(outside, {recursive: true, force: true});
  },

  // Served over HTTP, the page loads nothing from elsewhere and works on with the network cut off;
  // the server's content-security policy refuses nothing the page does.
  async offline() {
    const siteServer = require(path.resolve(__dirname, "../../web/serve.cjs"));
    const http = siteServer(siteDir).listen(0, "127.0.0.1");
    await new Promise((r) => http.once("listening", r));
    const base = "http://127.0.0.1:" + http.address().port + "/";
    const b = await launch();
    const requests = [], refused = [];
    b.page.on("request", (r) => requests.push(r.url()));
    b.page.on("console", (m) => { if (/Content Security Policy/i.test(m.text())) refused.push(m.text()); });
    await open(b.page, base);
    await b.context.setOffline(true);
    await typeLine(b.page, LINES[0]);
    await b.page.click(id("frmQLX2", "cmdGraph"));
    await b.page.click(id("frmQLX2", "cmdSweep"));
    await expectFields(b.page, "frmQLX2", cliJson(["line", ...lineArgs(LINES[0])]).fields, ["frameZInput"]);
    assert.ok(await b.page.isVisible("#frmVolt") && await b.page.isVisible("#frmSweep"));
    assert.deepStrictEqual(requests.filter((u) => !u.startsWith(base) && !u.startsWith("data:")), []);
    // The plan window and a download (through a blob: address) under the policy too.
    await b.page.click(id("frmQLX2", "cmdTuner"));
    await b.page.click(id("frmTuner", "cmdPlan"));
    await b.page.waitForSelector("#frmPlan\\.Table tbody tr");
    const [download] = await Promise.all([b.page.waitForEvent("download"), b.page.click("#frmPlan button[data-download='plan.csv']")]);
    assert.strictEqual(download.suggestedFilename(), "QLX plan.csv");
    assert.deepStrictEqual(refused, []);
    await b.close();
    http.close();
  },

  // The pointer across the graph and every sweep chart and off them: a tip on the nearest point
  // of a curve under it, then none.
  async pointer() {
    const b = await launch();
    await open(b.page);
    await b.page.click(id("frmQLX2", "cmdGraph"));
    await b.page.click(id("frmQLX2", "cmdSweep"));
    for (const chartId of ["frmVolt.TChart1", "frmSweep.Plot0", "frmSweep.Plot1", "frmSweep.Plot2", "frmSweep.Smith"]) {
      const chart = b.page.locator("#" + chartId.replace(".", "\\."));
      await chart.scrollIntoViewIfNeeded();
      const box = await chart.boundingBox();
      // The page counts the tips shown while the pointer sweeps across, a few pixels a move (each
      // move waits for the browser's next frame).
      await b.page.evaluate((el) => {
        el.tips = 0;
        new MutationObserver(() => { if (el.dataset.tip) ++el.tips; }).observe(el, {attributes: true});
      }, await chart.elementHandle());
      for (const f of [0.25, 0.5, 0.75]) {
        const y = box.y + box.height * f;
        await b.page.mouse.move(box.x - 10, y);
        await b.page.mouse.move(box.x + box.width + 10, y, {steps: Math.round(box.width / 6)});
      }
      await b.page.mouse.move(box.x - 30, box.y - 30);
      const tips = await chart.evaluate((el) => el.tips);
      assert.ok(tips > 0, chartId + ": a curve under the pointer shows its tip");
      assert.strictEqual(await chart.getAttribute("data-tip"), "", chartId + ": no tip off the chart");
      // Its Data toggle lists its points, a row each.
      const details = chart.locator("xpath=ancestor::div[contains(@class,'chart-box')]/details");
      await details.locator("summary").click();
      await details.locator("tbody tr").first().waitFor();  // filled as the toggle's event comes
      assert.ok(await details.locator("tbody tr").count() > 10, chartId + ": its points in a table");
    }
    // A finger dragged across the graph moves its tip, and the page does not scroll.
    const graph = b.page.locator("#frmVolt\\.TChart1");
    await graph.scrollIntoViewIfNeeded();
    const box = await graph.boundingBox();
    const scrolled = await b.page.evaluate(() => window.scrollY);
    const tips = await graph.evaluate((el, box) => {
      const seen = new Set();
      const at = (type, x) => el.dispatchEvent(new PointerEvent(type, {pointerType: "touch", pointerId: 7, isPrimary: true,
        clientX: box.x + x, clientY: box.y + box.height * 0.5, bubbles: true, cancelable: true}));
      return new Promise((done) => {
        at("pointerdown", box.width * 0.2);
        let x = box.width * 0.2;
        const next = () => {
          if (el.dataset.tip) seen.add(el.dataset.tip);
          x += 8;
          if (x > box.width * 0.9) { at("pointerup", x); done(seen.size); return; }
          at("pointermove", x);
          requestAnimationFrame(() => requestAnimationFrame(next));
        };
        next();
      });
    }, box);
    assert.ok(tips > 3, "the tip follows the finger: " + tips + " tips");
    assert.strictEqual(await graph.evaluate((el) => getComputedStyle(el).touchAction), "pinch-zoom");
    assert.strictEqual(await b.page.evaluate(() => window.scrollY), scrolled);
    await b.close();
  },

  // The timings on this machine: interactive after opening from disk, a keystroke to
  // its results, a 10,001-point sweep. Written to OUT_DIR/web-timings.json.
  async performance() {
    const b = await launch();
    const t0 = Date.now();
    await open(b.page);
    const interactive = Date.now() - t0;
    const field = id("frmQLX2", "txtLength");
    await b.page.click(field);
    // From each keystroke's event to the results written into the page: a listener of the test's
    // own, added after the page's, runs once the page has answered.
    await b.page.evaluate((selector) => {
      window.strokesMeasured = [];
      document.querySelector(selector).addEventListener("input",
        (e) => window.strokesMeasured.push(performance.now() - e.timeStamp));
    }, field);
    for (let k = 0; k < 50; ++k) {
      await b.page.keyboard.press(String(k % 10));
      await b.page.keyboard.press("Backspace");
    }
    const strokes = await b.page.evaluate(() => window.strokesMeasured.slice().sort((p, q) => p - q));
    const median = strokes[Math.floor(strokes.length / 2)];
    await b.page.click(id("frmQLX2", "cmdSweep"));
    await type(b.page, "frmSweep", "txtPoints", "10001");
    // From the click to the Smith chart and the plots drawn with the new points.
    const sweep = await b.page.evaluate(() => new Promise((resolve) => {
      const before = qlx.state.sweep_version;
      const t = performance.now();
      document.getElementById("frmSweep.cmdSweep").click();
      const wait = () => (qlx.state.sweep_version !== before && !qlx.state.sweeping
        ? resolve(qlx.sweepDrawnAt - t) : setTimeout(wait, 1));
      wait();
    }));
    // The station plan: ten bands of three points, every network with its band runs, from the click
    // to the table drawn; then a scan of 201 lengths, with keystrokes typed while it runs. The
    // antenna is 200 + j100 ohms: every network designs at every point.
    await type(b.page, "frmQLX2", "txtResistance", "200");
    await type(b.page, "frmQLX2", "txtReactance", "100");
    await b.page.click(id("frmQLX2", "cmdTuner"));
    const plan = await b.page.evaluate(() => {
      const before = qlx.state.plan_version;
      const t = performance.now();
      document.getElementById("frmTuner.cmdPlan").click();
      return qlx.state.plan_version !== before ? performance.now() - t : NaN;
    });
    await type(b.page, "frmPlan", "txtLengths", "10:30:0.1");
    const have = id("frmPlan", "txtHave");
    await b.page.evaluate((selector) => {
      window.scanStrokes = [];
      document.querySelector(selector).addEventListener("input",
        (e) => { if (qlx.state.scanning) window.scanStrokes.push(performance.now() - e.timeStamp); });
      window.scanStarted = performance.now();
      document.getElementById("frmPlan.cmdScan").click();
    }, have);
    await b.page.click(have);
    while (await b.page.evaluate(() => qlx.state.scanning)) await b.page.keyboard.press("x");
    const scan = await b.page.evaluate(() => performance.now() - window.scanStarted);
    const scanStrokes = await b.page.evaluate(() => window.scanStrokes.slice().sort((p, q) => p - q));
    const timings = {interactive_ms: interactive, keystroke_median_ms: median, keystrokes: strokes.length, sweep_10001_ms: sweep,
                     plan_ms: plan, scan_201_ms: scan,
                     scan_keystroke_max_ms: scanStrokes.length ? scanStrokes[scanStrokes.length - 1] : NaN,
                     scan_keystrokes: scanStrokes.length};
    fs.writeFileSync(path.join(outDir, "web-timings.json"), JSON.stringify(timings, null, 2) + "\n");
    console.log(JSON.stringify(timings));
    assert.strictEqual(strokes.length, 100);
    // The targets (1 s, 16 ms, 50 ms, and the plan's) hold with room to spare on a quiet machine; PERFORMANCE.md
    // records the figures this case writes. It reports them but fails on none: a test run beside a
    // build (or on a shared CI machine) measures the machine's load, not the page.
    const targets = {interactive_ms: 1000, keystroke_median_ms: 16, sweep_10001_ms: 50, plan_ms: 150, scan_201_ms: 6000,
                     scan_keystroke_max_ms: 50};
    for (const [what, target] of Object.entries(targets)) {
      assert.ok(Number.isFinite(timings[what]) && timings[what] > 0, what + " was measured");
      console.log(what + ": " + timings[what].toFixed(1) + " (target " + target + (timings[what] <= target ? ", met)" : ", missed)"));
    }
    await b.close();
  },

  // Each window's picture for the manual and the README, and a phone's view of the main window.
  // A checker nobody here wrote: axe-core on every window of the page, on a desktop and on a
  // phone, finds nothing of impact "serious" or "critical". What it finds is kept in OUT_DIR.
  async accessibility() {
    const axeSource = fs.readFileSync(path.join(playwrightDir, "..", "axe-core", "axe.min.js"), "utf8");
    const found = {};
    for (const [viewport, size] of [["desktop", {width: 1366, height: 768}], ["phone", {width: 360, height: 780}]]) {
      const b = await launch();
      await b.page.setViewportSize(size);
      await open(b.page);
      await b.page.evaluate(axeSource);
      await typeLine(b.page, LINES[0]);
      const check = async (step) => {
        const violations = await b.page.evaluate(async () => (await axe.run(document, {resultTypes: ["violations"]})).violations
          .map((v) => ({id: v.id, impact: v.impact, nodes: v.nodes.map((n) => n.target.join(" ")).slice(0, 6)})));
        found[viewport + " " + step] = violations;
        if (viewport !== "phone") return;
        // On a 360-pixel phone: no text below 12 px, nothing wider than the screen (a box that
        // scrolls sideways, such as the schematic's frame, keeps its content inside it).
        const misfits = await b.page.evaluate(() => {
          const out = [];
          for (const el of document.querySelectorAll(".window:not([hidden]) *, dialog[open] *")) {
            if (el.closest("[hidden], details:not([open]), .plan-table") || !el.getClientRects().length) continue;
            const own = [...el.childNodes].some((n) => n.nodeType === 3 && n.textContent.trim()) || el.tagName === "INPUT";
            if (own && parseFloat(getComputedStyle(el).fontSize) < 12) out.push(el.id + " " + getComputedStyle(el).fontSize);
            let scrolls = false;
            for (let a = el.parentElement; a && !scrolls; a = a.parentElement) scrolls = /auto|scroll/.test(getComputedStyle(a).overflowX);
            if (!scrolls && el.getBoundingClientRect().right > window.innerWidth + 1) out.push((el.id || el.tagName) + " too wide");
          }
          return [...new Set(out)];
        });
        assert.deepStrictEqual(misfits, [], step);
      };
      const modal = async (step, open) => {
        await open();
        await check(step);
        await b.page.keyboard.press("Escape");
      };
      await check("main");
      // One summary line is announced once typing pauses, not every field at each keystroke.
      const summary = cliJson(["line", ...lineArgs(LINES[0])]).fields.txtInputSWR;
      await b.page.waitForFunction((swr) => document.getElementById("frmQLX2.summary").textContent.includes("SWR at Line Input " + swr), summary);
      assert.deepStrictEqual(await b.page.$$eval("[aria-live]", (els) => els.map((e) => e.id).filter((i) => !i.endsWith(".summary"))), []);
      // Every option in a named group; a window that opens comes into view with the keyboard in it.
      assert.strictEqual(await b.page.$$eval("#frmQLX2 input[type=radio]:not([name])", (r) => r.length), 0);
      await b.page.click(id("frmQLX2", "cmdGraph"));
      await b.page.waitForFunction(() => document.activeElement.closest(".window")?.id === "frmVolt");
      assert.ok(await b.page.$eval("#frmVolt", (w) => w.getBoundingClientRect().top < innerHeight && w.getBoundingClientRect().bottom > 0));
      await check("graph");
      await b.page.click(id("frmQLX2", "cmdTuner"));
      await check("tuner");
      await b.page.click(id("frmTuner", "optLNet2"));
      await b.page.click(id("frmTuner", "cmdDrawTuner"));
      await check("tuner page");
      await b.page.click(id("frmQLX2", "cmdSweep"));
      await b.page.waitForFunction(() => !qlx.state.sweeping, null, {timeout: 60000});
      await check("sweep");
      await b.page.click(id("frmTuner", "cmdPlan"));
      await b.page.waitForSelector("#frmPlan\\.Table tbody tr");
      await check("plan");
      // A dialog opens with its first field taking the keyboard, and Enter there is its OK.
      await b.page.click(id("frmQLX2", "optNoiseBridge"));
      await b.page.waitForFunction(() => document.activeElement.id === "frmNB.txtResist");
      await b.page.keyboard.type("100");
      await b.page.keyboard.press("Enter");
      assert.ok(!(await b.page.$eval("#frmNB", (d) => d.open)), "Enter is OK");
      await b.page.click(id("frmQLX2", "optNormal"));
      await modal("noise bridge", () => b.page.click(id("frmQLX2", "optNoiseBridge")));
      await modal("analyser", () => b.page.click(id("frmQLX2", "optAutek")));
      await modal("user-defined line", () => b.page.selectOption(id("frmQLX2", "cboPickCable"), {index: 32}));
      // The window of a cable of one's own, over the user-defined line's dialog, with its fit drawn.
      await b.page.selectOption(id("frmQLX2", "cboPickCable"), {index: 32});
      await b.page.click(id("frmOtrCable", "cmdFit"));
      await type(b.page, "frmOwnCable", "txtPoints", "30:0.7,150:1.5,900:3.9");
      await b.page.click(id("frmOwnCable", "cmdCalculate"));
      await check("cable of your own");
      await b.page.keyboard.press("Escape");
      await b.page.keyboard.press("Escape");
      await b.close();
    }
    fs.mkdirSync(outDir, {recursive: true});
    fs.writeFileSync(path.join(outDir, "axe.json"), JSON.stringify(found, null, 1));
    const grave = Object.entries(found).flatMap(([step, vs]) => vs.filter((v) => v.impact === "serious" || v.impact === "critical")
      .map((v) => step + ": " + v.id + " (" + v.impact + ") " + v.nodes.join(", ")));
    assert.deepStrictEqual(grave, []);
  },

  async screenshots() {
    const b = await launch();
    await open(b.page);
    await b.page.locator("#frmQLX2").screenshot({path: path.join(outDir, "web-main-window.png")});
    // Help opens the manual that the site carries.
    const [manual] = await Promise.all([b.context.waitForEvent("page"), b.page.click(id("frmQLX2", "cmdHelp"))]);
    assert.match(manual.url(), /\/QLX\.PDF$/);
    assert.ok(fs.existsSync(path.join(siteDir, "QLX.PDF")));
    await manual.close();
    await b.page.click(id("frmQLX2", "cmdGraph"));
    await b.page.locator("#frmVolt").screenshot({path: path.join(outDir, "web-graph.png")});
    await b.page.click(id("frmQLX2", "cmdTuner"));
    await b.page.locator("#frmTuner").screenshot({path: path.join(outDir, "web-tuner.png")});
    await b.page.click(id("frmTuner", "cmdCompare"));
    await b.page.locator("#frmCompare").screenshot({path: path.join(outDir, "web-compare.png")});
    await b.page.click(id("frmQLX2", "optNoiseBridge"));
    await b.page.locator("#frmNB").screenshot({path: path.join(outDir, "web-noise-bridge.png")});
    await b.page.keyboard.press("Escape");
    // Escape is the dialog's Cancel: closed, Normal chosen again, the end left as it was.
    await b.page.click(id("frmQLX2", "optInput"));
    await b.page.click(id("frmQLX2", "optNoiseBridge"));
    await b.page.keyboard.press("Escape");
    assert.ok(!(await b.page.$eval("#frmNB", (d) => d.open)));
    for (const option of ["optInput", "optNormal"])
      assert.ok(await b.page.isChecked(id("frmQLX2", option) + " input"), option);
    await b.page.setViewportSize({width: 390, height: 844});
    await b.page.evaluate(() => window.scrollTo(0, 0));
    await b.page.screenshot({path: path.join(outDir, "web-phone.png")});
    await b.close();
  },
};

(async () => {
  if (!cases[testCase]) {
    console.error("page_test: no case " + testCase + "; cases: " + Object.keys(cases).join(", "));
    process.exit(2);
  }
  fs.mkdirSync(outDir, {recursive: true});
  await cases[testCase]();
  console.log("page_test " + testCase + ": passed");
})().catch((e) => {
  console.error(e);
  process.exit(1);
});
