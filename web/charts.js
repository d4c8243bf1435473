// The page's charts: the graph along the line, the sweep's plots against frequency and its Smith
// chart, the plan's table and charts, drawn on canvases from what the module returns (points, axes with their labelled ticks,
// titles). A tip shows the nearest point's text, which the module writes (through qlx.js's call).
"use strict";

// The charts' own names stay inside this block; the page reaches them through QlxCharts.
let QlxCharts;
{
  const charts = {};  // "graph", "plot0".."plot2", "smith" -> {canvas, draw()}
  const font = (px, bold) => (bold ? "bold " : "") + px + "px Arial, Helvetica, sans-serif";

  // A chart's canvas, with a second one over it for the pointer's tip: moving the pointer redraws
  // only the tip, never the curves, and a saved picture never holds a tip.
  function canvasIn(parent, cls, aspect) {
    const holder = document.createElement("div");
    holder.className = "chart-holder";
    const c = document.createElement("canvas");
    c.className = cls;
    c.dataset.aspect = aspect;
    c.dataset.tip = "";
    const overlay = document.createElement("canvas");
    overlay.className = "overlay";
    holder.append(c, overlay);
    const box = document.createElement("div");
    box.className = "chart-box";
    box.append(holder);
    parent.append(box);
    c.overlay = overlay;
    // The chart's points as a table, for whoever cannot see the picture: filled when opened.
    const details = document.createElement("details");
    details.className = "chart-data";
    const summary = document.createElement("summary");
    summary.textContent = "Data";
    details.append(summary);
    details.addEventListener("toggle", () => { if (details.open && c.chart) fillData(c.chart); });
    holder.after(details);
    c.details = details;
    c.setAttribute("role", "img");
    return c;
  }

  // A chart's curves as {name, x, y, points}: what its Data table lists, curve after curve.
  function curvesOf(chart) {
    const d = chart.data;
    if (!d) return [];
    if (d.series0) return [{name: d.right_title, x: d.bottom_title, y: d.right_title, points: d.series0},
                           {name: d.left_title, x: d.bottom_title, y: d.left_title, points: d.series1}];
    if (d.traces) return d.traces.map((t) => ({name: t.name, x: "Re(rho)", y: "Im(rho)", points: t.gammas}));
    return (d.curves || []).filter((c) => c.shown !== false)
      .map((c) => ({name: c.name, x: d.x_title || "Frequency, MHz", y: d.y_title, points: c.points}));
  }

  function fillData(chart) {
    const c = chart.canvas;
    const curves = curvesOf(chart);
    c.setAttribute("aria-label", (chart.data && chart.data.title ? chart.data.title + ": " : "") +
                   curves.map((k) => k.name).join(", ") + ". Open Data below for its points.");
    if (!c.details.open) return;
    const table = document.createElement("table");
    const head = table.createTHead().insertRow();
    for (const t of ["Curve", curves[0] ? curves[0].x : "x", "Value"]) {
      const th = document.createElement("th");
      th.scope = "col";
      th.textContent = t;
      head.append(th);
    }
    const body = table.createTBody();
    const number = (v) => String(Number(v.toPrecision(6)));
    for (const k of curves)
      for (const [x, y] of k.points) {
        const tr = body.insertRow();
        tr.insertCell().textContent = k.name;
        tr.insertCell().textContent = number(x);
        tr.insertCell().textContent = number(y) + (k.y && k.y !== k.name ? " (" + k.y + ")" : "");
      }
    c.details.querySelector("table")?.remove();
    c.details.append(table);
  }

  // Fits a canvas's pixels to its shown size; returns its context in CSS pixels.
  function size(canvas, w, h) {
    const k = window.devicePixelRatio || 1;
    if (canvas.width !== Math.round(w * k) || canvas.height !== Math.round(h * k)) {
      canvas.width = Math.round(w * k);
      canvas.height = Math.round(h * k);
    }
    canvas.style.width = w + "px";
    canvas.style.height = h + "px";
    const g = canvas.getContext("2d");
    g.setTransform(k, 0, 0, k, 0, 0);
    return g;
  }
  function prepare(canvas) {
    const w = canvas.parentElement.clientWidth || 600;
    const h = Math.round(w * Number(canvas.dataset.aspect));
    const g = size(canvas, w, h);
    size(canvas.overlay, w, h);
    g.fillStyle = "#fff";
    g.fillRect(0, 0, w, h);
    return {g, w, h};
  }

  function drawTip(chart) {
    const o = chart.canvas.overlay;
    const g = o.getContext("2d");
    const k = window.devicePixelRatio || 1;
    g.setTransform(1, 0, 0, 1, 0, 0);
    g.clearRect(0, 0, o.width, o.height);
    g.setTransform(k, 0, 0, k, 0, 0);
    if (chart.tip) tipBox(g, chart.tip.px, chart.tip.py, chart.tip.text, o.width / k, o.height / k);
  }

  // A frame with a bottom axis and one or two value axes; maps data to pixels.
  function frame(g, box, x, yl, yr, titles) {
    const sx = (v) => box.l + (v - x.lo) / ((x.hi - x.lo) || 1) * (box.r - box.l);
    const sy = (a) => (v) => box.b - (v - a.lo) / ((a.hi - a.lo) || 1) * (box.b - box.t);
    g.strokeStyle = "#ccc";
    g.lineWidth = 1;
    g.font = font(11);
    g.fillStyle = "#000";
    g.textAlign = "center";
    g.textBaseline = "top";
    for (const t of x.ticks) {
      const px = sx(t.value);
      g.beginPath(); g.moveTo(px, box.t); g.lineTo(px, box.b); g.stroke();
      g.fillText(t.label, px, box.b + 4);
    }
    const axisSide = (a, left, colour) => {
      const y = sy(a);
      g.textAlign = left ? "right" : "left";
      g.textBaseline = "middle";
      for (const t of a.ticks) {
        const py = y(t.value);
        g.strokeStyle = "#ccc";
        g.beginPath(); g.moveTo(box.l, py); g.lineTo(box.r, py); g.stroke();
        g.fillStyle = colour;
        g.fillText(t.label, left ? box.l - 4 : box.r + 4, py);
      }
    };
    if (yl) axisSide(yl, true, titles.leftColour || "#000");
    if (yr) axisSide(yr, false, titles.rightColour || "#000");
    g.strokeStyle = "#000";
    g.strokeRect(box.l, box.t, box.r - box.l, box.b - box.t);
    g.fillStyle = "#000";
    g.textAlign = "center";
    g.textBaseline = "top";
    g.font = font(13, true);
    if (titles.title) g.fillText(titles.title, (box.l + box.r) / 2, 4);
    g.font = font(12, true);
    if (titles.bottom) g.fillText(titles.bottom, (box.l + box.r) / 2, box.b + 20);
    const vertical = (text, px, colour) => {
      g.save();
      g.translate(px, (box.t + box.b) / 2);
      g.rotate(-Math.PI / 2);
      g.fillStyle = colour;
      g.fillText(text, 0, 0);
      g.restore();
    };
    if (titles.left) vertical(titles.left, 4, titles.leftColour || "#000");
    if (titles.right) vertical(titles.right, box.r + 44, titles.rightColour || "#000");
    return {sx, sy};
  }

  // A dashed curve is the second line style: curves are told apart without colour.
  function curve(g, points, sx, sy, colour, width, dashed) {
    if (!points.length) return;
    g.strokeStyle = colour;
    g.lineWidth = width;
    g.setLineDash(dashed ? [8, 5] : []);
    g.beginPath();
    points.forEach(([x, y], k) => (k ? g.lineTo(sx(x), sy(y)) : g.moveTo(sx(x), sy(y))));
    g.stroke();
    g.setLineDash([]);
  }

  // A tip wider than the chart wraps at its blanks, line by line, so that it stays inside.
  function tipLines(g, text, room) {
    const lines = [];
    for (const part of String(text).split("\n")) {
      let line = "";
      for (const word of part.split(/(?<=\s)/)) {
        if (line && g.measureText(line + word).width > room) {
          lines.push(line.trimEnd());
          line = word.trimStart();
        } else line += word;
      }
      lines.push(line.trimEnd());
    }
    return lines;
  }

  function tipBox(g, px, py, text, w, h) {
    g.font = font(12);
    const lines = tipLines(g, text, w - 18);
    const tw = Math.min(w - 8, Math.max(...lines.map((l) => g.measureText(l).width)) + 10), th = 16 * lines.length + 4;
    const bx = Math.min(Math.max(4, px + 8), w - tw - 4), by = Math.max(4, Math.min(py - th - 6, h - th - 4));
    g.fillStyle = "#ffffe1";
    g.strokeStyle = "#000";
    g.lineWidth = 1;
    g.fillRect(bx, by, tw, th);
    g.strokeRect(bx, by, tw, th);
    g.fillStyle = "#000";
    g.textAlign = "left";
    g.textBaseline = "middle";
    lines.forEach((l, k) => g.fillText(l, bx + 5, by + 10 + 16 * k));
    g.beginPath();
    g.arc(px, py, 4.5, 0, 2 * Math.PI);
    g.fill();
  }

  // The tip follows the pointer: the nearest point's, asked of the module once a frame at most.
  function follow(chart, candidates) {
    const c = chart.canvas;
    let pending = 0, at = null, near = 24;
    // A mouse, a pen or a finger: a finger dragged over a chart moves the tip (the chart takes
    // the drag, not the page) and reaches a curve from farther off than a pointer's tip does.
    const move = (e) => {
      const r = c.getBoundingClientRect();
      at = [e.clientX - r.left, e.clientY - r.top];
      near = e.pointerType === "touch" ? 48 : 24;
      if (pending) return;
      pending = requestAnimationFrame(() => {
        pending = 0;
        chart.tip = candidates(at[0], at[1], near);
        c.dataset.tip = chart.tip ? chart.tip.text : "";
        drawTip(chart);
      });
    };
    c.addEventListener("pointermove", move);
    c.addEventListener("pointerdown", (e) => {
      // The drag stays the chart's while the finger is down (no capture where no pointer is active).
      if (e.pointerType !== "mouse") try { c.setPointerCapture(e.pointerId); } catch { /* none to capture */ }
      move(e);
    });
    c.addEventListener("pointerleave", (e) => {
      if (e.pointerType !== "mouse") return;  // a finger lifted leaves its tip to be read
      cancelAnimationFrame(pending);
      pending = 0;
      chart.tip = null;
      c.dataset.tip = "";
      drawTip(chart);
    });
  }

  // ---- the graph along the line ----
  function makeGraph(parent) {
    const chart = {canvas: canvasIn(parent, "chart graph", 0.62), data: null, tip: null, map: null};
    chart.canvas.id = "frmVolt.TChart1";
    chart.draw = () => {
      const {g, w, h} = prepare(chart.canvas);
      const d = chart.data;
      if (!d) return;
      const box = {l: 64, r: w - 64, t: 26, b: h - 44};
      const f = frame(g, box, d.bottom, d.left, d.right,
                      {title: d.title, bottom: d.bottom_title, left: d.left_title, right: d.right_title,
                       leftColour: d.styles[1].title, rightColour: d.styles[0].title});
      const yl = f.sy(d.left), yr = f.sy(d.right);
      curve(g, d.series0, f.sx, yr, d.styles[0].line, d.styles[0].width, d.styles[0].dashed);
      curve(g, d.series1, f.sx, yl, d.styles[1].line, d.styles[1].width, d.styles[1].dashed);
      chart.map = {sx: f.sx, yl, yr, box};
      drawTip(chart);
    };
    follow(chart, (px, py, near) => {
      if (!chart.data || !chart.map) return null;
      const {sx, yl, yr, box} = chart.map;
      const x = chart.data.bottom.lo + (px - box.l) / (box.r - box.l) * (chart.data.bottom.hi - chart.data.bottom.lo);
      let best = null;
      for (const series of [0, 1]) {
        const t = call("qlx_graph_tip", ["number", "number"], [series, x]);
        if (!t) continue;
        const tx = sx(t.x), ty = (series === 0 ? yr : yl)(t.y);
        const dist = Math.hypot(tx - px, ty - py);
        if (dist < near && (!best || dist < best.dist)) best = {px: tx, py: ty, text: t.text, dist};
      }
      return best;
    });
    charts.graph = chart;
    chart.canvas.chart = chart;
    return chart.canvas;
  }

  // ---- the sweep: Smith chart and plots ----
  function makeSweep(parent) {
    const wrap = document.createElement("div");
    wrap.className = "sweep-charts";
    parent.append(wrap);
    const smith = {canvas: canvasIn(wrap, "chart smith", 1), data: null, tip: null};
    smith.canvas.id = "frmSweep.Smith";
    smith.draw = () => drawSmith(smith);
    follow(smith, (px, py) => {
      if (!smith.data || !smith.geo) return null;
      const {cx, cy, rad} = smith.geo;
      const t = call("qlx_smith_tip", ["number", "number"], [(px - cx) / rad, (cy - py) / rad]);
      return t ? {px: cx + t.x * rad, py: cy - t.y * rad, text: t.text} : null;
    });
    charts.smith = smith;
    smith.canvas.chart = smith;
    const plots = document.createElement("div");
    plots.className = "plots";
    wrap.append(plots);
    for (let k = 0; k < 3; ++k) {
      const p = {canvas: canvasIn(plots, "chart plot", 0.42), data: null, tip: null, index: k};
      p.canvas.id = "frmSweep.Plot" + k;
      p.draw = () => drawPlot(p);
      follow(p, (px, py, near) => {
        if (!p.data || !p.map || !p.data.x) return null;
        const {sx, sy, box} = p.map;
        const x = p.data.x.lo + (px - box.l) / (box.r - box.l) * (p.data.x.hi - p.data.x.lo);
        let best = null;
        p.data.curves.forEach((c, ci) => {
          const t = call("qlx_plot_tip", ["number", "number", "number"], [k, ci, x]);
          if (!t) return;
          const tx = sx(t.x), ty = sy(t.y);
          const dist = Math.hypot(tx - px, ty - py);
          if (dist < near && (!best || dist < best.dist)) best = {px: tx, py: ty, text: t.text, dist};
        });
        return best;
      });
      charts["plot" + k] = p;
      p.canvas.chart = p;
    }
    return wrap;
  }

  function drawPlot(p) {
    const {g, w, h} = prepare(p.canvas);
    const d = p.data;
    if (!d || !d.x) return;
    const box = {l: 58, r: w - 12, t: 40, b: h - (p.index === 2 ? 40 : 24)};
    const f = frame(g, box, d.x, d.y, null, {title: d.title, left: d.y_title, bottom: p.index === 2 ? "Frequency, MHz" : ""});
    const sy = f.sy(d.y);
    g.save();
    g.beginPath();
    g.rect(box.l, box.t, box.r - box.l, box.b - box.t);
    g.clip();
    d.curves.forEach((c) => { if (c.shown) curve(g, c.points, f.sx, sy, c.colour, 2, c.dashed); });
    if (d.mark) {
      g.fillStyle = "#000";
      g.fillRect(f.sx(d.mark[0]) - 5, sy(d.mark[1]) - 5, 11, 11);
    }
    g.restore();
    // The legend: each curve's name in its colour.
    g.font = font(11);
    g.textAlign = "left";
    g.textBaseline = "middle";
    let lx = box.l;
    for (const c of d.curves) {
      if (!c.shown) continue;
      g.strokeStyle = c.colour;
      g.lineWidth = 3;
      g.setLineDash(c.dashed ? [4, 3] : []);
      g.beginPath(); g.moveTo(lx, 27.5); g.lineTo(lx + 14, 27.5); g.stroke();
      g.setLineDash([]);
      g.fillStyle = c.colour;
      g.fillText(c.name, lx + 18, 28);
      lx += g.measureText(c.name).width + 34;
    }
    p.map = {sx: f.sx, sy, box};
    drawTip(p);
  }

  function drawSmith(s) {
    const {g, w, h} = prepare(s.canvas);
    const rad = Math.min(w, h) / 2 - 30, cx = w / 2, cy = h / 2;
    s.geo = {cx, cy, rad};
    const at = ([re, im]) => [cx + re * rad, cy - im * rad];
    const d = s.data;
    if (d) drawSmithGrid(g, d.grid, at, rad);
    g.strokeStyle = "#000";
    g.lineWidth = 1;
    g.beginPath();
    g.arc(cx, cy, rad, 0, 2 * Math.PI);
    g.stroke();
    if (d) {
      g.font = font(11);
      let ly = 14;
      for (const t of d.traces) {
        if (!t.gammas.length) continue;
        g.strokeStyle = t.colour;
        g.lineWidth = 2;
        g.setLineDash(t.dashed ? [8, 5] : []);
        g.beginPath();
        t.gammas.forEach((p, k) => { const [x, y] = at(p); k ? g.lineTo(x, y) : g.moveTo(x, y); });
        g.stroke();
        g.setLineDash([]);
        const [fx, fy] = at(t.gammas[0]), [lx, lyy] = at(t.gammas[t.gammas.length - 1]);
        g.beginPath(); g.arc(fx, fy, 4, 0, 2 * Math.PI); g.stroke();
        g.fillStyle = t.colour;
        g.fillRect(lx - 4, lyy - 4, 8, 8);
        g.textAlign = "left";
        g.textBaseline = "middle";
        g.setLineDash(t.dashed ? [4, 3] : []);
        g.lineWidth = 3;
        g.beginPath(); g.moveTo(6, ly + 0.5); g.lineTo(22, ly + 0.5); g.stroke();
        g.setLineDash([]);
        g.fillText(t.name, 28, ly);
        ly += 16;
      }
      g.fillStyle = "#000";
      if (d.key) g.fillText(d.key, 6, ly);
      if (d.best) {
        // The lowest SWR at the load, a diamond as the key shows it.
        const [bx, by] = at(d.best);
        g.beginPath();
        g.moveTo(bx, by - 6); g.lineTo(bx + 6, by); g.lineTo(bx, by + 6); g.lineTo(bx - 6, by);
        g.closePath();
        g.fill();
      }
      g.textBaseline = "bottom";
      g.fillText(d.reference_text, 6, h - 4);
    }
    drawTip(s);
  }

  // The grid the module computes for the chart's reference: resistance circles, reactance arcs
  // (only their part on the chart), the real axis, and the labels in ohms.
  function drawSmithGrid(g, grid, at, rad) {
    g.save();
    g.strokeStyle = "#bbb";
    g.lineWidth = 1;
    for (const [re, im, r] of grid.circles) {
      const [x, y] = at([re, im]);
      g.beginPath();
      g.arc(x, y, r * rad, 0, 2 * Math.PI);
      g.stroke();
    }
    for (const arc of grid.arcs) {
      g.beginPath();
      arc.forEach((p, k) => { const [x, y] = at(p); k ? g.lineTo(x, y) : g.moveTo(x, y); });
      g.stroke();
    }
    const [lx, ly] = at([-1, 0]), [rx] = at([1, 0]);
    g.beginPath(); g.moveTo(lx, ly); g.lineTo(rx, ly); g.stroke();
    g.fillStyle = "#5a5a5a";
    g.font = font(10);
    g.textBaseline = "alphabetic";
    for (const l of grid.labels) {
      const [x, y] = at(l.at);
      const tw = g.measureText(l.text).width, th = 7;
      let tx = x, ty = y;
      if (l.place === "left-above") { tx = x - tw - 2; ty = y - 3; }
      else if (l.place === "left") { tx = x - tw - 4; ty = y + th / 2; }
      else if (l.place === "right") { tx = x + 4; ty = y + th / 2; }
      else {
        // Centred on the line from the centre through the point, outside the rim.
        const out = tw / 2 + 6;
        tx = x + l.at[0] * out - tw / 2;
        ty = y - l.at[1] * out + th / 2;
      }
      g.textAlign = "left";
      g.fillText(l.text, tx, ty);
    }
    g.restore();
  }

  // ---- the station plan: its table and two charts ----
  let planTable = null;
  function makePlan(parent) {
    const wrap = document.createElement("div");
    wrap.className = "plan-table";
    planTable = document.createElement("table");
    planTable.id = "frmPlan.Table";
    wrap.append(planTable);
    parent.append(wrap);
    addPlanCharts(parent, [["planLoss", "frmPlan.Loss", 0.5], ["planLengths", "frmPlan.Lengths", 0.4]]);
  }

  // Charts drawn as the plan's are: curves of points against a frequency or a length, a key above.
  function addPlanCharts(parent, which) {
    const plots = document.createElement("div");
    plots.className = "plots";
    parent.append(plots);
    for (const [key, id, aspect] of which) {
      const p = {canvas: canvasIn(plots, "chart plot", aspect), data: null, tip: null};
      p.canvas.id = id;
      p.draw = () => drawPlanChart(p);
      // The nearest point of any curve, within a finger's width.
      follow(p, (px, py, near) => {
        if (!p.data || !p.map) return null;
        let best = null;
        for (const c of p.data.curves) {
          c.points.forEach(([x, y], k) => {
            const tx = p.map.sx(x), ty = p.map.sy(y), dist = Math.hypot(tx - px, ty - py);
            if (dist < near && (!best || dist < best.dist)) best = {px: tx, py: ty, text: c.tips[k], dist};
          });
        }
        return best;
      });
      charts[key] = p;
      p.canvas.chart = p;
    }
  }

  function drawPlanChart(p) {
    const {g, w, h} = prepare(p.canvas);
    const d = p.data;
    if (!d) return;
    // The key above the plot, one line per curve that fits.
    g.font = font(11);
    const keys = [];
    let line = [], width = 58;
    for (const c of d.curves) {
      const cw = g.measureText(c.name).width + 34;
      if (line.length && width + cw > w - 12) { keys.push(line); line = []; width = 58; }
      line.push(c);
      width += cw;
    }
    if (line.length) keys.push(line);
    const top = 26 + 14 * keys.length;
    const box = {l: 58, r: w - 12, t: top, b: h - 40};
    const f = frame(g, box, d.x, d.y, null, {title: d.title, left: d.y_title, bottom: d.x_title});
    const sy = f.sy(d.y);
    g.save();
    g.beginPath();
    g.rect(box.l, box.t, box.r - box.l, box.b - box.t);
    g.clip();
    for (const c of d.curves) {
      if (c.line === false) {
        // Points alone (a maker's table): larger dots, no line between them.
        g.fillStyle = c.colour;
        for (const [x, y] of c.points) { g.beginPath(); g.arc(f.sx(x), sy(y), 4, 0, 2 * Math.PI); g.fill(); }
        continue;
      }
      curve(g, c.points, f.sx, sy, c.colour, 2, c.dashed);
      g.fillStyle = c.colour;
      for (const [x, y] of c.points) { g.beginPath(); g.arc(f.sx(x), sy(y), 2.5, 0, 2 * Math.PI); g.fill(); }
    }
    g.restore();
    g.font = font(11);
    g.textAlign = "left";
    g.textBaseline = "middle";
    keys.forEach((row, k) => {
      let lx = box.l;
      const ly = 26 + 14 * k;
      for (const c of row) {
        g.strokeStyle = c.colour;
        g.lineWidth = 3;
        g.setLineDash(c.dashed ? [4, 3] : []);
        g.beginPath(); g.moveTo(lx, ly); g.lineTo(lx + 14, ly); g.stroke();
        g.setLineDash([]);
        g.fillStyle = "#000";
        g.fillText(c.name, lx + 18, ly);
        lx += g.measureText(c.name).width + 34;
      }
    });
    p.map = {sx: f.sx, sy, box};
    drawTip(p);
  }

  // The table: a row per band point, a column per network; a design's cell draws its tuner page
  // when clicked or entered.
  function fillPlanTable(data) {
    const t = planTable;
    t.replaceChildren();
    const have = data.rows.length > 0 && data.rows[0].have !== undefined;
    const head = t.createTHead().insertRow();
    for (const name of ["Band", "MHz", ...data.columns, ...(have ? ["My tuner"] : [])]) {
      const th = document.createElement("th");
      th.scope = "col";
      th.textContent = name;
      head.append(th);
    }
    const body = t.createTBody();
    const cell = (tr, c) => {
      const td = tr.insertCell();
      td.textContent = c.text;
      td.title = c.tip;
      td.className = c.state + (c.best ? " best" : "");
      return td;
    };
    data.rows.forEach((r, ri) => {
      const tr = body.insertRow();
      tr.insertCell().textContent = r.band;
      const f = tr.insertCell();
      f.textContent = r.freq;
      f.className = "num";
      r.cells.forEach((c, ci) => {
        const td = cell(tr, c);
        if (c.state !== "matched" && c.state !== "out") return;
        td.tabIndex = 0;
        const draw = () => send("frmPlan", "", "cell", ri + "," + ci);
        td.addEventListener("click", draw);
        td.addEventListener("keydown", (e) => { if (e.key === "Enter") draw(); });
      });
      if (r.have) cell(tr, r.have);
    });
  }

  // A chart's points lie in the module's memory as x, y floats from `block` on: each curve takes
  // its pairs from its place there.
  function pointsIn(block) {
    const floats = qlx.module.HEAPF32.subarray(block / 4);
    return ({offset, count}) => {
      const out = new Array(count);
      for (let k = 0; k < count; ++k) out[k] = [floats[offset + 2 * k], floats[offset + 2 * k + 1]];
      return out;
    };
  }

  function redrawAll() { for (const c of Object.values(charts)) if (c.canvas.isConnected) c.draw(); }
  window.addEventListener("resize", redrawAll);

  QlxCharts = {
    make(kind, win) {
      const holder = document.createElement("div");
      holder.className = "charts " + kind;
      if (kind === "graph") makeGraph(holder);
      else if (kind === "plan") makePlan(holder);
      else if (kind === "ownCable") addPlanCharts(holder, [["ownCable", "frmOwnCable.Chart", 0.6]]);
      else makeSweep(holder);
      return holder;
    },
    drawGraph(data) {
      const pairs = pointsIn(data.block);
      data.series0 = pairs(data.series0);
      data.series1 = pairs(data.series1);
      charts.graph.data = data;
      charts.graph.tip = null;
      charts.graph.draw();
      fillData(charts.graph);
    },
    drawSweep(data) {
      const pairs = pointsIn(data.block);
      for (const p of data.plots) for (const c of p.curves) c.points = pairs(c.points);
      for (const t of data.smith.traces) t.gammas = pairs(t.gammas);
      charts.smith.data = data.smith;
      charts.smith.tip = null;
      charts.smith.draw();
      fillData(charts.smith);
      data.plots.forEach((p, k) => {
        const chart = charts["plot" + k];
        chart.data = p;
        chart.tip = null;
        chart.draw();
        fillData(chart);
      });
    },
    drawPlan(data) {
      fillPlanTable(data);
      for (const [key, d] of [["planLoss", data.loss], ["planLengths", data.lengths]]) {
        charts[key].data = d;
        charts[key].tip = null;
        charts[key].draw();
        fillData(charts[key]);
      }
    },
    drawOwnCable(data) {
      charts.ownCable.data = data;
      charts.ownCable.tip = null;
      charts.ownCable.draw();
      fillData(charts.ownCable);
    },
    png(which) {
      const c = charts[which];
      return c ? c.canvas.toDataURL("image/png") : "";
    },
  };
}
