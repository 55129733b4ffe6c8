// gltf-validate.js FILE... - runs the Khronos glTF Validator (npm package gltf-validator, installed by
// scripts/install-gltf-validator.sh into build-tools/gltf-validator) on each FILE. Prints one line of
// counts per file and every issue of severity warning or error; exits 1 when any file has one.
'use strict';
const fs = require('fs');
const path = require('path');

const root = path.resolve(__dirname, '..', '..');
const validator = require(path.join(root, 'build-tools', 'gltf-validator', 'node_modules', 'gltf-validator'));
const severities = ['error', 'warning', 'info', 'hint'];

async function main(files) {
  let failed = false;
  for (const file of files) {
    const report = await validator.validateBytes(new Uint8Array(fs.readFileSync(file)), { maxIssues: 0 });
    const issues = report.issues;
    console.log(`${file}: ${issues.numErrors} errors, ${issues.numWarnings} warnings, ` +
                `${issues.numInfos} infos, ${issues.numHints} hints (gltf-validator ${report.validatorVersion})`);
    for (const m of issues.messages) {
      if (m.severity <= 1) console.log(`  ${severities[m.severity]} ${m.code} ${m.pointer || ''}: ${m.message}`);
    }
    if (issues.numErrors > 0 || issues.numWarnings > 0) failed = true;
  }
  return failed ? 1 : 0;
}

main(process.argv.slice(2)).then((status) => process.exit(status), (error) => {
  console.error(`gltf-validate: ${error}`);
  process.exit(2);
});
