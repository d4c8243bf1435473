// The web page's module in node, called as a page calls it: the line of the README's first
// example, a tuner design with its band run, a Touchstone file written into the module's file
// system and swept, and a refusal with its message.
'use strict';
const assert = require('assert');
const path = require('path');
const fs = require('fs');

const modulePath = path.resolve(process.argv[2]);
const factory = require(modulePath);
// The module's bytes handed over, as a page's loader fetches them (node's fetch takes no path).
factory({wasmBinary: fs.readFileSync(modulePath.replace(/\.js$/, '.wasm'))}).then((qlx) => {
    const call = (args) => JSON.parse(qlx.ccall('qlx_call', 'string', ['string'], [JSON.stringify(args)]));

    const line = call(['line', '--cable', '3', '--freq', '10', '--length', '100']);
    assert.strictEqual(line.status, 0, line.err);
    assert.match(line.out, /^txtZ0: 52\.2 - j 0\.36$/m);

    const tuner = JSON.parse(call(['tuner', '--network', 'lpl', '--cable', 'rg-213', '--freq', '14', '--r', '200',
                                   '--x', '-100', '--json']).out);
    assert.strictEqual(tuner.fields.txtLeftX, '315.9 pF');
    assert.strictEqual(tuner.band.points.length, 401);
    assert.ok(tuner.band.swr20.lo_mhz < 14 && tuner.band.swr20.hi_mhz > 14);

    // A file dropped on a page is written into the module's file system, then read as qlx-cli reads it.
    const s1p = fs.readFileSync(path.join(__dirname, '../../data/dipole-through-30m-rg213.s1p'));
    qlx.FS.writeFile('/dipole.s1p', s1p);
    const sweep = call(['sweep', '--cable', 'rg-213', '--meters', '--length', '30', '--at', 'input',
                        '--touchstone', '/dipole.s1p', '--json']);
    assert.strictEqual(sweep.status, 0, sweep.err);
    assert.ok(JSON.parse(sweep.out).points.length > 10);

    const bad = call(['line', '--freq', '0.01']);
    assert.strictEqual(bad.status, 2);
    assert.match(bad.err, /Bad Frequency!/);
    console.log('web api: line, tuner, sweep and a refusal as qlx-cli gives them');
}).catch((e) => {
    console.error(e);
    process.exit(1);
});
