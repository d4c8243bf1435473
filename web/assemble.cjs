// Puts the site together: node assemble.cjs SITE_DIR QLX_PAGE_JS NATIVE_BIN
// The page's files beside this script, the module (qlx-page.js and .wasm, and the .wasm again as
// a script for a page opened from disk, where the browser fetches no file), the schematic
// bitmaps and the manual.
"use strict";
const fs = require("fs");
const path = require("path");

const [site, moduleJs, nativeBin] = process.argv.slice(2);
if (!site || !moduleJs || !nativeBin) {
  console.error("usage: node assemble.cjs SITE_DIR QLX_PAGE_JS NATIVE_BIN");
  process.exit(2);
}
fs.mkdirSync(site, {recursive: true});
const here = __dirname;
for (const f of ["index.html", "style.css", "qlx.js", "layouts.js", "charts.js"])
  fs.copyFileSync(path.join(here, f), path.join(site, f));
fs.copyFileSync(moduleJs, path.join(site, "qlx-page.js"));
const wasm = moduleJs.replace(/\.js$/, ".wasm");
fs.copyFileSync(wasm, path.join(site, "qlx-page.wasm"));
fs.writeFileSync(path.join(site, "qlx-page.wasm.js"),
                 "window.QLX_WASM_BASE64 = \"" + fs.readFileSync(wasm).toString("base64") + "\";\n");
const needed = fs.readdirSync(nativeBin).filter((f) => /\.bmp$/i.test(f) || f === "QLX.PDF");
if (!needed.includes("QLX.PDF") || needed.length < 7) {
  console.error("assemble: " + nativeBin + " lacks the schematics or QLX.PDF (build the native tools first)");
  process.exit(1);
}
for (const f of needed) fs.copyFileSync(path.join(nativeBin, f), path.join(site, f));
console.log("assemble: site in " + site);
