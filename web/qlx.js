// QLX's page: a host of the calculator's window models, which run in the WebAssembly module. The
// page forwards typing and clicks to the models by window and control name and renders the state
// they return; it computes nothing itself.
"use strict";

const qlx = {
  module: null,
  windows: new Map(),   // name -> {section, controls: Map(name -> element), last state}
  state: null,
  versions: {graph: -1, sweep: -1, plan: -1},
  messages: [],
  stepping: false,
};

// A call into the module. Its texts go through the module's heap, not through ccall's copies on
// its stack, which a long paste (or a long stored record) would overrun.
function call(name, types, args) {
  const m = qlx.module, held = [];
  const values = args.map((a, k) => {
    if (types[k] !== "string") return a;
    const text = String(a), size = m.lengthBytesUTF8(text) + 1, at = m._malloc(size);
    m.stringToUTF8(text, at, size);
    held.push(at);
    return at;
  });
  try {
    return JSON.parse(m.ccall(name, "string", types.map((t) => (t === "string" ? "number" : t)), values));
  } finally {
    for (const at of held) m._free(at);
  }
}

// A caption's "&" marks its access key; "&&" is a plain "&".
function plainCaption(text) {
  return String(text).replace(/&(&?)/g, (m, amp) => amp ? "&" : "");
}
function accessKey(text) {
  const m = /&([^&])/.exec(String(text));
  return m ? m[1].toLowerCase() : "";
}
// Access keys are those of the window in use (an open dialog, else the one holding the focus,
// else the main window): every window has its own "P" for Print, and a key must lead to one place.
function assignAccessKeys() {
  const active = document.activeElement?.closest(".window");
  const current = document.querySelector("dialog.window[open]") || active || document.getElementById("frmQLX2");
  for (const el of document.querySelectorAll("[data-access]")) {
    const key = el.closest(".window") === current ? el.dataset.access : "";
    if (el.accessKey !== key) el.accessKey = key;
  }
}
document.addEventListener("focusin", assignAccessKeys);

// ---- building a window's elements from its layout --------------------------------------------

function makeControl(win, desc, token) {
  const wrapping = token.startsWith("!!");
  const name = token.replace(/^[!~]+/, "");
  const c = desc.controls.find((x) => x.name === name);
  if (!c) return null;
  const readOnly = c.read_only;
  let el;
  if (c.kind === "text" && wrapping) {
    // A long result (a page's line of text) wraps on a narrow screen instead of being cut.
    el = document.createElement("div");
    el.className = "result wrap";
  } else if (c.kind === "text") {
    el = document.createElement("input");
    el.type = "text";
    el.spellcheck = false;
    el.autocomplete = "off";
    if (readOnly) {
      // A result is read and copied: it is in the Tab order, but typing cannot change it.
      el.readOnly = true;
      el.className = "result";
    } else {
      el.className = "entry";
      el.addEventListener("input", () => send(win, name, "text", el.value));
      el.addEventListener("blur", () => send(win, name, "blur", ""));
      // Enter in the sweep's band entries sweeps, as in the desktop window; in the plan's, makes
      // the plan (in its lengths, scans them).
      if (win === "frmSweep") el.addEventListener("keydown", (e) => { if (e.key === "Enter") send(win, "cmdSweep", "click", ""); });
      if (win === "frmPlan") {
        const button = name === "txtLengths" ? "cmdScan" : "cmdPlan";
        el.addEventListener("keydown", (e) => { if (e.key === "Enter") send(win, button, "click", ""); });
      }
    }
  } else if (c.kind === "label" && token.startsWith("~")) {
    // A table of text in columns: it scrolls sideways on a narrow screen, and takes the keyboard
    // so that one can scroll it without a pointer.
    el = document.createElement("div");
    el.className = "label columns";
    el.tabIndex = 0;
    el.setAttribute("role", "region");
    el.setAttribute("aria-label", c.tip || name);
  } else if (c.kind === "label") {
    el = document.createElement("span");
    el.className = "label";
  } else if (c.kind === "button") {
    el = document.createElement("button");
    el.type = "button";
    el.addEventListener("click", () => send(win, name, "click", ""));
  } else if (c.kind === "option") {
    el = document.createElement("label");
    el.className = "option";
    const box = document.createElement("input");
    box.type = "radio";
    // The model decides what is selected: rendering its state after the click sets every box (a
    // click's default left alone; prevented, the browser would undo the rendered choice after).
    box.addEventListener("click", () => send(win, name, "select", ""));
    el.append(box, document.createElement("span"));
  } else if (c.kind === "list") {
    el = document.createElement("select");
    // Choosing the entry already chosen is a choice too (the user-defined line's "Click again"),
    // but a browser reports a change only when the choice differs from what the list shows as it
    // opens: so the list shows none while it is open, and gets its entry back if none is chosen.
    let shownBefore = null;
    el.addEventListener("mousedown", () => {
      if (shownBefore !== null) return;
      shownBefore = el.selectedIndex;
      el.selectedIndex = -1;
    });
    const restore = () => {
      if (shownBefore !== null && el.selectedIndex === -1) el.selectedIndex = shownBefore;
      shownBefore = null;
    };
    el.addEventListener("blur", restore);
    el.addEventListener("keydown", (e) => { if (e.key === "Escape") restore(); });
    el.addEventListener("change", () => {
      shownBefore = null;
      send(win, name, "choose", String(el.selectedIndex));
    });
  } else if (c.kind === "picture") {
    el = document.createElement("img");
    el.className = "picture";
    el.alt = "";
  } else {
    return null;
  }
  el.id = win + "." + name;
  el.dataset.control = name;
  qlx.windows.get(win).controls.set(name, el);
  return el;
}

function makeFrame(win, desc, f) {
  const box = document.createElement("fieldset");
  const legend = document.createElement("legend");
  box.append(legend);
  const frame = desc.controls.find((x) => x.name === f.frame);
  if (frame) {
    legend.id = win + "." + f.frame;
    legend.dataset.control = f.frame;
    qlx.windows.get(win).controls.set(f.frame, legend);
  }
  if (f.items) {
    for (const t of f.items) {
      const el = makeControl(win, desc, t);
      if (!el) continue;
      // A frame's options are one radio group: arrow keys move within it.
      if (el.classList.contains("option")) el.querySelector("input").name = win + "." + f.frame;
      box.append(el);
    }
  }
  if (f.schematic) {
    const picture = document.createElement("div");
    picture.className = "schematic";
    for (const t of f.schematic) { const el = makeControl(win, desc, t); if (el) picture.append(el); }
    box.append(picture);
  }
  if (f.row) box.append(makeGrid(win, desc, [f.row], "row"));
  if (f.grid) box.append(makeGrid(win, desc, f.grid, "grid"));
  if (f.stack) box.append(makeGrid(win, desc, f.stack.map((t) => [t]), "stack"));
  if (f.table) {
    const grid = document.createElement("div");
    grid.className = "table";
    for (const stem of f.table) {
      for (let k = 1; k <= 4; ++k) {
        const el = makeControl(win, desc, stem + k);
        if (el) grid.append(el);
      }
    }
    box.append(grid);
  }
  return box;
}

function makeGrid(win, desc, rows, cls) {
  const block = document.createElement("div");
  block.className = cls;
  for (const row of rows) {
    const line = document.createElement("div");
    line.className = "line";
    // A field is named by the label before it in its row, and described by a unit after it.
    let label = null, field = null;
    for (const t of row) {
      const el = typeof t === "string" ? makeControl(win, desc, t) : makeFrame(win, desc, t);
      if (!el) continue;
      line.append(el);
      if (el.classList.contains("label")) {
        if (field && !field.hasAttribute("aria-describedby")) field.setAttribute("aria-describedby", el.id);
        label = el;
        field = null;
      } else if (isField(el)) {
        if (label) el.setAttribute("aria-labelledby", label.id);
        label = null;
        field = el;
      }
    }
    // A grid's row fills its three columns, so the next row starts in the first.
    if (cls.split(" ").includes("grid") && line.children.length > 1)
      while (line.children.length < 3) line.append(document.createElement("span"));
    block.append(line);
  }
  return block;
}

// The keyboard goes to a window's first entry, else its first button.
function focusFirst(section) {
  const first = [...section.querySelectorAll(".body input.entry, .body select, .body input[type=radio]:checked")]
    .find((el) => !el.disabled && el.offsetParent !== null) ||
    [...section.querySelectorAll(".body button")].find((el) => !el.disabled && el.offsetParent !== null);
  if (first) first.focus({preventScroll: true});
}

function isField(el) {
  return el.tagName === "INPUT" || el.tagName === "SELECT" || (el.tagName === "DIV" && el.classList.contains("result"));
}

// A field no label names is named by its tip as each rendering sets it, else by its own name: a
// screen reader never meets a nameless field.
function nameFields(section) {
  for (const el of section.querySelectorAll("input.entry, input.result, select, div.result")) {
    if (el.hasAttribute("aria-labelledby")) continue;
    el.dataset.unnamed = el.dataset.control.replace(/^(txt|cbo|lbl)/, "").replace(/([a-z])([A-Z])/g, "$1 $2");
    el.setAttribute("aria-label", el.dataset.unnamed);
  }
  // A wrapping result is read like a text box.
  for (const el of section.querySelectorAll("div.result")) el.setAttribute("role", "textbox"), el.setAttribute("aria-readonly", "true");
}

function makeBlock(win, desc, b) {
  if (b.blocks) {
    const div = document.createElement("div");
    div.className = b.cls;
    for (const inner of b.blocks) div.append(makeBlock(win, desc, inner));
    return div;
  }
  if (b.chart) return QlxCharts.make(b.chart, win);
  const div = makeGrid(win, desc, b.rows, b.cls);
  if (b.progress) {
    const bar = document.createElement("progress");
    bar.id = win + ".progress";
    bar.max = 1;
    bar.hidden = true;
    div.append(bar);
  }
  for (const [what, file] of b.downloads || []) {
    const a = document.createElement("button");
    a.type = "button";
    a.className = "download";
    a.dataset.download = what;
    a.textContent = "Download " + file.replace(/^QLX /, "");
    a.addEventListener("click", () => download(what, file));
    div.append(a);
  }
  return div;
}

function buildWindow(desc) {
  const section = document.createElement(desc.dialog ? "dialog" : "section");
  section.id = desc.name;
  if (!desc.dialog) section.hidden = true;  // until its state shows it: its first showing is an opening too
  section.className = "window";
  const head = document.createElement("header");
  const title = document.createElement("h2");
  head.append(title);
  if (desc.name !== "frmQLX2") {
    const close = document.createElement("button");
    close.type = "button";
    close.className = "close";
    close.title = "Close";
    close.textContent = "×";
    close.addEventListener("click", () => send(desc.name, "", "close", ""));
    head.append(close);
  }
  section.append(head);
  qlx.windows.set(desc.name, {section, title, controls: new Map()});
  const body = document.createElement("div");
  body.className = "body";
  for (const b of QLX_LAYOUTS[desc.name] || []) body.append(makeBlock(desc.name, desc, b));
  // Whatever the layout does not place still shows.
  const placed = qlx.windows.get(desc.name).controls;
  const rest = desc.controls.filter((c) => !placed.has(c.name)).map((c) => [c.name]);
  if (rest.length) body.append(makeGrid(desc.name, desc, rest, "stack rest"));
  section.append(body);
  nameFields(section);
  if (QLX_SUMMARIES[desc.name]) {
    const live = document.createElement("p");
    live.className = "sr-only";
    live.id = desc.name + ".summary";
    live.setAttribute("aria-live", "polite");
    section.append(live);
  }
  if (section.tagName === "DIALOG") {
    // Escape and the close control are the window's own close: the model decides. Enter in a
    // field is OK, as in a desktop dialog.
    section.addEventListener("cancel", (e) => { e.preventDefault(); send(desc.name, "", "close", ""); });
    if (desc.controls.some((c) => c.name === "cmdOK"))
      section.addEventListener("keydown", (e) => {
        if (e.key === "Enter" && e.target.tagName === "INPUT" && e.target.type === "text") {
          e.preventDefault();
          send(desc.name, "cmdOK", "click", "");
        }
      });
    document.body.append(section);
    if (desc.name === "frmOwnCable") addFileChoosers(section);
  } else {
    document.getElementById("windows").append(section);
    // Escape in the plan window is its Close: it ends a length scan under way.
    if (desc.name === "frmPlan")
      section.addEventListener("keydown", (e) => { if (e.key === "Escape") send(desc.name, "", "close", ""); });
    if (desc.name === "frmSweep") {
      section.addEventListener("dragover", (e) => { e.preventDefault(); section.classList.add("drop"); });
      section.addEventListener("dragleave", () => section.classList.remove("drop"));
      section.addEventListener("drop", (e) => {
        e.preventDefault();
        section.classList.remove("drop");
        if (e.dataTransfer.files.length) openFile(e.dataTransfer.files[0]);
      });
    }
  }
}

// ---- rendering a state -------------------------------------------------------------------------

function renderControl(el, c) {
  // A table's hidden cell keeps its place, so the rows stay in line.
  if (el.parentElement && el.parentElement.classList.contains("table")) el.style.visibility = c.visible ? "" : "hidden";
  else el.hidden = !c.visible;
  el.title = c.tip || "";
  if (el.dataset.unnamed) el.setAttribute("aria-label", c.tip || el.dataset.unnamed);
  el.style.color = c.fore || "";
  el.style.backgroundColor = c.back || "";
  // A status is told by a mark too (drawn by the style sheet), and to a screen reader in words.
  if (c.status) el.dataset.status = c.status;
  else delete el.dataset.status;
  if (c.kind === "text") el.setAttribute("aria-invalid", String(c.status === "impossible"));
  if (c.status && c.tip) el.setAttribute("aria-description", c.tip);
  else el.removeAttribute("aria-description");
  if (c.kind === "text" && el.tagName !== "INPUT") {
    el.textContent = c.text;
  } else if (c.kind === "text") {
    // The value attribute too, so that the page's text shows the results.
    el.setAttribute("value", c.text);
    if (el.value !== c.text) el.value = c.text;
    el.disabled = !c.enabled;
  } else if (c.kind === "label") {
    if (el.tagName === "LEGEND") {
      el.textContent = plainCaption(c.text);
      el.parentElement.hidden = !c.visible;
    }
    else el.textContent = c.text;
  } else if (c.kind === "button") {
    el.textContent = plainCaption(c.text);
    el.dataset.access = accessKey(c.text);
    el.disabled = !c.enabled;
  } else if (c.kind === "option") {
    el.querySelector("span").textContent = plainCaption(c.text);
    const box = el.querySelector("input");
    box.checked = c.selected;
    box.disabled = !c.enabled;
    box.setAttribute("aria-checked", String(c.selected));
    el.dataset.access = accessKey(c.text);
  } else if (c.kind === "list") {
    if (el.options.length !== c.items.length || [...el.options].some((o, k) => o.textContent !== c.items[k])) {
      el.replaceChildren(...c.items.map((t) => {
        const o = document.createElement("option");
        o.textContent = t;
        return o;
      }));
    }
    el.selectedIndex = c.position;
    el.disabled = !c.enabled;
  } else if (c.kind === "picture") {
    if (c.text) {
      if (el.getAttribute("src") !== c.text) el.src = c.text;
    } else {
      el.removeAttribute("src");
    }
    el.hidden = !c.visible || !c.text;
    if (el.parentElement.classList.contains("schematic")) placeValues(el.parentElement, c.text);
  }
}

// A tuner page's values stand over its schematic where the module places them, in proportion to
// the picture as it is shown.
function placeValues(picture, file) {
  const layout = file ? call("qlx_schematic", ["string"], [file]) : null;
  picture.classList.toggle("placed", Boolean(layout));
  if (!layout) return;
  picture.style.aspectRatio = layout.width + " / " + layout.height;
  for (const [name, [x, y, w, h]] of Object.entries(layout.boxes)) {
    const el = picture.querySelector("[data-control=" + name + "]");
    if (!el) continue;
    el.style.left = (100 * x / layout.width) + "%";
    el.style.top = (100 * y / layout.height) + "%";
    el.style.width = (100 * w / layout.width) + "%";
    el.style.height = (100 * h / layout.height) + "%";
  }
}

function render(state) {
  qlx.state = state;
  for (const w of state.windows) {
    if (w.visible && !qlx.windows.has(w.name)) buildWindow(w);
    const shown = qlx.windows.get(w.name);
    if (!shown) continue;
    shown.title.textContent = w.caption;
    const section = shown.section;
    if (w.visible) {
      section.style.backgroundColor = w.back || "";
      for (const c of w.controls) {
        const el = shown.controls.get(c.name);
        if (el) renderControl(el, c);
      }
      // A frame none of whose controls shows is not drawn (an empty box says nothing).
      for (const frame of section.querySelectorAll("fieldset")) {
        const inside = [...frame.querySelectorAll("[data-control]")].filter((el) => el.tagName !== "LEGEND");
        frame.classList.toggle("empty", !inside.some((el) => !el.hidden && el.style.visibility !== "hidden"));
      }
    }
    if (section.tagName === "DIALOG") {
      if (w.visible && !section.open) {
        section.showModal();
        queueMicrotask(() => focusFirst(section));
      }
      if (!w.visible && section.open) section.close();
    } else {
      const wasHidden = section.hidden;
      section.hidden = !w.visible;
      // A window that opens comes into view with the keyboard in it: below the main window, it
      // would otherwise seem that nothing happened.
      if (w.visible && wasHidden && w.name !== "frmQLX2") {
        section.scrollIntoView({block: "start"});
        // After this rendering: the blur it causes sends an event of its own.
        queueMicrotask(() => focusFirst(section));
      }
    }
  }
  if (state.graph_version !== qlx.versions.graph && isShown("frmVolt")) {
    qlx.versions.graph = state.graph_version;
    QlxCharts.drawGraph(call("qlx_graph", [], []));
  }
  if (state.sweep_version !== qlx.versions.sweep && isShown("frmSweep")) {
    qlx.versions.sweep = state.sweep_version;
    QlxCharts.drawSweep(call("qlx_sweep", [], []));
    qlx.sweepDrawnAt = performance.now();
  }
  if (state.own_cable_version !== qlx.versions.ownCable && isShown("frmOwnCable")) {
    qlx.versions.ownCable = state.own_cable_version;
    QlxCharts.drawOwnCable(call("qlx_own_cable", [], []));
  }
  if (state.plan_version !== qlx.versions.plan && isShown("frmPlan")) {
    qlx.versions.plan = state.plan_version;
    QlxCharts.drawPlan(call("qlx_plan", [], []));
  }
  for (const [id, running, value] of [["frmSweep.progress", state.sweeping, state.progress],
                                      ["frmPlan.progress", state.scanning, state.scan_progress]]) {
    const bar = document.getElementById(id);
    if (!bar) continue;
    bar.hidden = !running;
    bar.value = value;
    // How many slices of a run drew the bar, for whoever looks afterwards: a run that ends between
    // two looks has still shown its progress.
    if (running) bar.dataset.slicesShown = String(Number(bar.dataset.slicesShown || 0) + 1);
  }
  if ((state.sweeping || state.scanning) && !qlx.stepping) {
    qlx.stepping = true;
    setTimeout(step, 0);
  }
  for (const m of state.messages) qlx.messages.push(m);
  showNextMessage();
  for (const name of state.opens) window.open(name, "_blank", "noopener");
  for (const name of state.prints) printWindow(name);
  if (state.open_file) document.getElementById("file-input").click();
  if (state.quit) document.getElementById("ended").showModal();
  assignAccessKeys();
  clearTimeout(qlx.summaryTimer);
  qlx.summaryTimer = setTimeout(announce, 1200);
}

// Each shown window's summary line, from its results' labels and texts, written into its live
// region once typing has paused: a screen reader reads it once, and only what changed.
function announce() {
  for (const [win, names] of Object.entries(QLX_SUMMARIES)) {
    const live = document.getElementById(win + ".summary");
    if (!live || !isShown(win)) continue;
    const parts = [];
    for (const name of names) {
      const el = qlx.windows.get(win).controls.get(name);
      if (!el || el.hidden || !(el.value ?? el.textContent)) continue;
      const label = document.getElementById(el.getAttribute("aria-labelledby") || "");
      const text = el.tagName === "INPUT" ? el.value : el.textContent;
      parts.push((label ? label.textContent.trim().replace(/:$/, "") + " " : "") + text);
    }
    const line = parts.join("; ");
    if (live.textContent !== line) live.textContent = line;
  }
}

function isShown(name) {
  const w = qlx.state && qlx.state.windows.find((x) => x.name === name);
  return Boolean(w && w.visible);
}

function send(win, control, action, value) {
  // A field holds what the window can show: a longer paste is cut, and the user told.
  if (action === "text" && qlx.state && value.length > qlx.state.max_text) {
    value = value.slice(0, qlx.state.max_text);
    const el = document.getElementById(win + "." + control);
    if (el) el.value = value;
    qlx.messages.push({title: "QLX", text: qlx.state.text_cut});
  }
  if (qlx.restarting) return;
  let state;
  try {
    state = call("qlx_event", ["string", "string", "string", "string"], [win, control, action, value]);
  } catch (e) {
    // An error inside the module is told. A module that aborted takes no more calls: a fresh one
    // starts from the values last kept, and the next event works.
    qlx.messages.push({title: "QLX", text: "QLX could not take that: " + e.message});
    showNextMessage();
    if (e instanceof WebAssembly.RuntimeError || /abort|terminated/i.test(String(e.message))) restartModule();
    return;
  }
  render(state);
  keepSoon();
}

// The defaults are kept a moment after the last change (at most a few writes a second), as well as
// when the page closes: a browser swiped away or killed loses only that moment.
function keepSoon() {
  clearTimeout(qlx.keepTimer);
  qlx.keepTimer = setTimeout(() => { if (!qlx.state.quit) qlx.module.ccall("qlx_keep", null, [], []); }, 300);
}

// A long sweep (or a plan's length scan) runs in slices of a few milliseconds, each a task of its
// own: between them the page answers the user and draws its progress.
function step() {
  const state = call("qlx_step", [], []);
  qlx.stepping = false;
  render(state);
}

// The models' message boxes, one at a time, modal.
function showNextMessage() {
  const box = document.getElementById("message");
  if (box.open || !qlx.messages.length) return;
  const m = qlx.messages.shift();
  document.getElementById("message-title").textContent = m.title;
  document.getElementById("message-text").textContent = m.text;
  box.showModal();
}

function printWindow(name) {
  document.body.dataset.print = name;
  window.print();
  delete document.body.dataset.print;
}

// ---- files in and out --------------------------------------------------------------------------

// A dropped or chosen file's name as a name in the module's files: no folder separators or control
// characters, and never "." or ".." (or nothing), which name folders there.
function moduleFileName(name) {
  const n = name.replace(/[\/\x00-\x1f]/g, "_");
  return /^\.*$/.test(n) ? "(" + n + ")" : n;
}

// Writes a file into the module's files; a refusal (no memory for it) is told as the program's own
// messages are, and gives nothing.
function writeModuleFile(folder, file, bytes) {
  const FS = qlx.module.FS;
  for (let dir = "", parts = folder.split("/").filter(Boolean), k = 0; k < parts.length; ++k) {
    dir += "/" + parts[k];
    try { FS.mkdir(dir); } catch (e) { /* made before */ }
  }
  const path = folder + "/" + moduleFileName(file.name);
  try {
    FS.writeFile(path, bytes);
  } catch (e) {
    qlx.messages.push({title: "Touchstone File", text: moduleFileName(file.name) + " could not be taken: " + (e.message || e)});
    showNextMessage();
    return null;
  }
  return path;
}

async function openFile(file) {
  const path = writeModuleFile("/files", file, new Uint8Array(await file.arrayBuffer()));
  if (!path) return;
  send("frmSweep", "", "open", path);
  try { qlx.module.FS.unlink(path); } catch (e) { /* already gone */ }
}

// A measured sample's two files: chosen (or dropped on their fields), kept in the module's files
// under their names, and the field given that name, as a desktop user types a path.
function addFileChoosers(section) {
  for (const name of ["txtOpenFile", "txtShortFile"]) {
    const field = section.querySelector("[data-control=" + name + "]");
    if (!field) continue;
    const keep = async (file) => {
      // A folder for each end: the two files may share a name, and the window shows the name.
      const path = writeModuleFile("/files/" + (name === "txtOpenFile" ? "open" : "short"), file,
                                   new Uint8Array(await file.arrayBuffer()));
      if (path) send(section.id, name, "text", path);
    };
    const pick = document.createElement("input");
    pick.type = "file";
    pick.accept = ".s1p,.S1P,.snp";
    pick.hidden = true;
    pick.id = section.id + "." + name + ".file";
    pick.addEventListener("change", () => { if (pick.files.length) keep(pick.files[0]); });
    const button = document.createElement("button");
    button.type = "button";
    button.className = "choose";
    button.textContent = "Choose…";
    button.setAttribute("aria-label", "Choose the Touchstone file");
    button.addEventListener("click", () => pick.click());
    field.addEventListener("dragover", (e) => e.preventDefault());
    field.addEventListener("drop", (e) => { e.preventDefault(); if (e.dataTransfer.files.length) keep(e.dataTransfer.files[0]); });
    field.after(button, pick);
  }
}

function download(what, file) {
  let url;
  if (what.startsWith("png:")) {
    url = QlxCharts.png(what.slice(4));
  } else {
    const text = call("qlx_text", ["string"], [what]);
    if (text === null) return;
    url = URL.createObjectURL(new Blob([text], {type: what.endsWith(".csv") ? "text/csv" : "text/plain"}));
  }
  const a = document.createElement("a");
  a.href = url;
  a.download = file;
  document.body.append(a);
  a.click();
  a.remove();
}

// ---- start-up ----------------------------------------------------------------------------------

function decimalMark() {
  return (1.5).toLocaleString(navigator.language).includes(",") ? 44 : 46;
}

function storedDefaults() {
  try { return window.localStorage.getItem("QLX TL.DEF"); } catch (e) { return null; }
}

// Opened from disk, the browser will not fetch the .wasm beside the page: its embedded copy is
// loaded by a script tag instead.
function wasmBinary() {
  if (location.protocol !== "file:") return Promise.resolve(undefined);
  return new Promise((resolve, reject) => {
    const s = document.createElement("script");
    s.src = "qlx-page.wasm.js";
    s.onload = () => {
      const text = atob(window.QLX_WASM_BASE64);
      const bytes = new Uint8Array(text.length);
      for (let k = 0; k < text.length; ++k) bytes[k] = text.charCodeAt(k);
      resolve(bytes);
    };
    s.onerror = reject;
    document.head.append(s);
  });
}

// The module's windows from the stored record, as at the page's start.
function startModule() {
  const defaults = storedDefaults();
  render(call("qlx_start", ["string", "number", "number", "number", "number"],
              [defaults || "", defaults === null ? 0 : 1, decimalMark(), screen.width, screen.height]));
}

async function restartModule() {
  qlx.restarting = true;
  try {
    qlx.module = await QlxPage(qlx.binary ? {wasmBinary: qlx.binary} : {});
    qlx.versions = {graph: -1, sweep: -1, plan: -1};
    startModule();
  } finally {
    qlx.restarting = false;
  }
}

async function start() {
  qlx.binary = await wasmBinary();
  qlx.module = await QlxPage(qlx.binary ? {wasmBinary: qlx.binary} : {});
  document.getElementById("loading").remove();
  startModule();
  document.getElementById("message").addEventListener("close", showNextMessage);
  document.getElementById("restart").addEventListener("click", () => location.reload());
  document.getElementById("file-input").addEventListener("change", (e) => {
    if (e.target.files.length) openFile(e.target.files[0]);
    e.target.value = "";
  });
  // Closing the page is the program's exit: the defaults are saved as the desktop saves them.
  window.addEventListener("pagehide", () => { if (!qlx.state.quit) qlx.module.ccall("qlx_save", null, [], []); });
  window.addEventListener("pageshow", (e) => { if (e.persisted) location.reload(); });
  // Served over HTTP, the site keeps itself for offline use and can be installed (a page opened
  // from disk has no service worker).
  if ("serviceWorker" in navigator && location.protocol.startsWith("http"))
    navigator.serviceWorker.register("sw.js").catch(() => { /* the page works without it */ });
  document.body.dataset.ready = "1";
}

start();
