// The browser test of `vireo serve`: headless Debian chromium, driven
// through the DevTools protocol by puppeteer-core, opens the report list,
// fills the ledger's panel, prints the demo ledger, sees the progress and
// the first page, and downloads the PDF.  Screenshots of the list, the
// panel and the preview go to the folder given.
//
//   node browser_test.mjs VIREO DATABASE SCREENSHOT_DIR
import { spawn } from "node:child_process";
import { mkdirSync } from "node:fs";
import puppeteer from "puppeteer-core";

const [vireo, database, shots] = process.argv.slice(2);
if (!vireo || !database || !shots) {
  console.error("uso: node browser_test.mjs VIREO BANCO PASTA_DAS_IMAGENS");
  process.exit(2);
}
mkdirSync(shots, { recursive: true });
const chromium = process.env.CHROMIUM || "/usr/bin/chromium";

function check(condition, what) {
  if (!condition) throw new Error("falhou: " + what);
  console.log("ok: " + what);
}

// Starts the server on a free port and reads the address it prints.
function startServer() {
  const server = spawn(vireo, ["serve", "--db", database, "--listen", "127.0.0.1:0"], {
    stdio: ["ignore", "pipe", "inherit"],
  });
  return new Promise((resolve, reject) => {
    let out = "";
    server.stdout.on("data", (d) => {
      out += d;
      const m = /http:\/\/\S+\?token=\S+/.exec(out);
      if (m) resolve({ server, url: m[0] });
    });
    server.on("exit", (code) => reject(new Error("vireo serve saiu com " + code)));
  });
}

async function setField(page, name, value) {
  const sel = "#campo-" + name;
  await page.click(sel, { clickCount: 3 });
  await page.keyboard.press("Backspace");
  await page.type(sel, value);
  await page.keyboard.press("Tab");  // leaving the field sends the change
}

const { server, url } = await startServer();
const browser = await puppeteer.launch({
  executablePath: chromium,
  headless: "new",
  args: ["--no-sandbox", "--disable-gpu", "--window-size=1400,900"],
  defaultViewport: { width: 1400, height: 900 },
});
let failed = false;
try {
  const page = await browser.newPage();
  await page.goto(url, { waitUntil: "networkidle0" });
  await page.waitForSelector('#lista button[data-nome="rptLedger"]', { timeout: 60000 });
  check(await page.$eval("#lista", (e) => e.textContent.includes("Razões")), "lista agrupada");
  await page.screenshot({ path: shots + "/lista.png" });

  await page.type("#busca", "raz");
  check(await page.$eval("#lista", (e) => !e.textContent.includes("Balancete")), "busca filtra a lista");
  await page.click('#lista button[data-nome="rptLedger"]');
  await page.waitForSelector("#campo-pDataInicial");
  await setField(page, "pDataInicial", "01/01/2025");
  await setField(page, "pDataFinal", "31/12/2025");
  await setField(page, "pCodigoEscrit", "1;x");
  await page.waitForFunction(() =>
    document.querySelector('.campo[data-nome="pCodigoEscrit"] .erro').textContent !== "");
  check(true, "seleção recusada mostra a mensagem ao lado do campo");
  await setField(page, "pCodigoEscrit", "1");
  await page.waitForFunction(() =>
    document.querySelector('.campo[data-nome="pCodigoEscrit"] .erro').textContent === "");
  await page.screenshot({ path: shots + "/painel.png" });

  // Progress: the panel's progress area shown with a moving bar at some point.
  await page.evaluate(() => {
    window.__viuProgresso = false;
    new MutationObserver(() => {
      const p = document.getElementById("progresso");
      if (!p.hidden) window.__viuProgresso = true;
    }).observe(document.getElementById("progresso"), { attributes: true });
  });
  await page.click("#imprimir");
  await page.waitForFunction(() => {
    const img = document.getElementById("imagem-pagina");
    return !document.getElementById("visualizacao").hidden && img.complete && img.naturalWidth > 0;
  }, { timeout: 300000 });
  check(await page.evaluate(() => window.__viuProgresso), "progresso visto durante a impressão");
  check(await page.$eval("#paginas", (e) => Number(e.textContent) > 1), "páginas contadas");
  await page.screenshot({ path: shots + "/visualizacao.png" });
  await page.click("#proxima");
  await page.waitForFunction(() => document.getElementById("pagina").value === "2");
  const pdf = await page.evaluate(async () => {
    const r = await fetch(document.getElementById("baixar-pdf").href);
    const bytes = new Uint8Array(await r.arrayBuffer());
    return { head: String.fromCharCode(...bytes.slice(0, 5)),
             name: r.headers.get("Content-Disposition") };
  });
  check(pdf.head === "%PDF-", "PDF baixado");
  check(/Ledger_.*2025/.test(pdf.name), "nome do arquivo com relatório e período: " + pdf.name);
} catch (e) {
  console.error(e.message);
  failed = true;
} finally {
  await browser.close();
  server.kill("SIGTERM");
}
process.exit(failed ? 1 : 0);
