#!/usr/bin/python3
"""The browser test of `vireo serve`.

Headless Debian chromium, driven through WebDriver (chromium-driver and
python3-selenium), opens the report list, fills the ledger's panel, prints
the demo ledger, sees the progress and the first page, downloads the PDF,
and creates an appointment in the agenda page.  Screenshots of the list,
the panel, the preview and the agenda go to the folder given.

    /usr/bin/python3 browser_test.py VIREO DATABASE SCREENSHOT_DIR
"""
import os
import re
import subprocess
import sys
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

CHROMIUM = os.environ.get("CHROMIUM", "/usr/bin/chromium")
DRIVER = os.environ.get("CHROMEDRIVER", "/usr/bin/chromedriver")


def text_of(driver, element_id):
    """The text as written (the page may show it in capitals)."""
    return driver.execute_script("return document.getElementById(arguments[0]).textContent",
                                 element_id)


def check(condition, what):
    if not condition:
        raise AssertionError("falhou: " + what)
    print("ok: " + what, flush=True)


def start_server(vireo, database):
    """Starts the server on a free port and reads the address it prints."""
    server = subprocess.Popen([vireo, "serve", "--db", database, "--listen", "127.0.0.1:0"],
                              stdout=subprocess.PIPE, text=True)
    deadline = time.monotonic() + 60
    while time.monotonic() < deadline:
        line = server.stdout.readline()
        if not line:
            raise RuntimeError("vireo serve saiu com %s" % server.wait())
        m = re.search(r"http://\S+\?token=\S+", line)
        if m:
            return server, m.group(0)
    server.kill()
    raise RuntimeError("vireo serve não mostrou o endereço")


def open_browser():
    options = webdriver.ChromeOptions()
    options.binary_location = CHROMIUM
    for arg in ("--headless=new", "--no-sandbox", "--disable-gpu", "--window-size=1400,900",
                "--disable-dev-shm-usage"):
        options.add_argument(arg)
    return webdriver.Chrome(service=Service(DRIVER), options=options)


def wait(driver, script, timeout=60, what="a página"):
    WebDriverWait(driver, timeout).until(lambda d: d.execute_script(script),
                                         "esperando " + what)


def set_field(driver, css, value):
    """Types a value as a user does; leaving the field sends the change."""
    field = driver.find_element(By.CSS_SELECTOR, css)
    field.click()
    field.send_keys(Keys.CONTROL, "a")
    field.send_keys(Keys.BACKSPACE, value, Keys.TAB)


def reports(driver, url, shots):
    driver.get(url)
    wait(driver, "return !!document.querySelector('#lista button[data-nome=\"rptLedger\"]')",
         what="a lista")
    check("Razões" in text_of(driver, "lista"), "lista agrupada")
    driver.save_screenshot(shots + "/lista.png")

    driver.find_element(By.ID, "busca").send_keys("raz")
    wait(driver, "return !document.getElementById('lista').textContent.includes('Agenda')",
         what="a busca")
    check(True, "busca filtra a lista")
    driver.find_element(By.CSS_SELECTOR, '#lista button[data-nome="rptLedger"]').click()
    wait(driver, "return !!document.getElementById('campo-pDataInicial')", what="o painel")
    set_field(driver, "#campo-pDataInicial", "01/01/2025")
    set_field(driver, "#campo-pDataFinal", "31/12/2025")
    error = "document.querySelector('.campo[data-nome=\"pCodigoEscrit\"] .erro').textContent"
    set_field(driver, "#campo-pCodigoEscrit", "1;x")
    wait(driver, "return %s !== ''" % error, what="a seleção recusada")
    check(True, "seleção recusada mostra a mensagem ao lado do campo")
    set_field(driver, "#campo-pCodigoEscrit", "1")
    wait(driver, "return %s === ''" % error, what="a seleção aceita")
    driver.save_screenshot(shots + "/painel.png")

    # The progress area shown at some point of the print.
    driver.execute_script("""
      window.__viuProgresso = false;
      const p = document.getElementById('progresso');
      new MutationObserver(() => { if (!p.hidden) window.__viuProgresso = true; })
        .observe(p, { attributes: true });""")
    driver.find_element(By.ID, "imprimir").click()
    wait(driver, """const img = document.getElementById('imagem-pagina');
      return !document.getElementById('visualizacao').hidden && img.complete &&
             img.naturalWidth > 0;""", timeout=300, what="a primeira página")
    check(driver.execute_script("return window.__viuProgresso"), "progresso visto na impressão")
    pages = int(driver.find_element(By.ID, "paginas").text or "0")
    check(pages > 1, "páginas contadas (%d)" % pages)
    driver.save_screenshot(shots + "/visualizacao.png")
    driver.find_element(By.ID, "proxima").click()
    wait(driver, "return document.getElementById('pagina').value === '2'", what="a página 2")
    pdf = driver.execute_async_script("""
      const done = arguments[arguments.length - 1];
      fetch(document.getElementById('baixar-pdf').href).then(async (r) => {
        const bytes = new Uint8Array(await r.arrayBuffer());
        done({ head: String.fromCharCode(...bytes.slice(0, 5)), size: bytes.length,
               name: r.headers.get('Content-Disposition') });
      }).catch((e) => done({ head: '', name: String(e) }));""")
    check(pdf["head"] == "%PDF-", "PDF baixado (%s bytes)" % pdf.get("size"))
    check(re.search(r"Ledger_.*2025", pdf["name"] or ""),
          "nome com relatório e período: %s" % pdf["name"])


def agenda(driver, shots):
    driver.find_element(By.CSS_SELECTOR, '.secoes a[href="agenda.html"]').click()
    wait(driver, "return !!document.querySelector('#grade .dia')", what="a agenda")
    driver.get(driver.current_url.split("#")[0] + "#2025-03")
    driver.refresh()
    wait(driver, "return document.getElementById('periodo').textContent === 'Março de 2025'",
         what="março de 2025")
    wait(driver, "return document.querySelectorAll('#grade .compromisso').length > 0",
         what="os compromissos do mês")
    driver.save_screenshot(shots + "/agenda-mes.png")

    # A new appointment on 12 March, through the editor's form.
    driver.find_element(By.CSS_SELECTOR, '#grade .dia[data-dia="2025-03-12"] .numero').click()
    wait(driver, "return !document.getElementById('editor').hidden", what="o editor")
    check(driver.find_element(By.ID, "campo-Inicio").get_attribute("value")
          .startswith("12/03/2025"), "editor aberto no dia escolhido")
    set_field(driver, "#campo-Assunto", "Fechamento do balancete")
    set_field(driver, "#campo-Local", "Sala de reuniões")
    driver.save_screenshot(shots + "/agenda-editor.png")
    # A destination that is no user: the editor's reason shown, nothing saved.
    set_field(driver, "#campo-CODIGOUSUARIODEST", "999999")
    driver.find_element(By.ID, "salvar").click()
    wait(driver, "return document.getElementById('erro-editor').textContent !== ''",
         what="a recusa")
    check("Usuário de destino inválido" in text_of(driver, "erro-editor"),
          "recusa do editor mostrada")
    driver.save_screenshot(shots + "/agenda-recusa.png")
    set_field(driver, "#campo-CODIGOUSUARIODEST", "0")
    driver.find_element(By.ID, "salvar").click()
    wait(driver, """return document.getElementById('editor').hidden &&
      [...document.querySelectorAll('#grade .dia[data-dia="2025-03-12"] .compromisso')]
        .some((c) => c.textContent.includes('Fechamento do balancete'));""",
         what="o novo compromisso na grade")
    check(True, "compromisso criado aparece no dia")
    driver.find_element(By.ID, "ver-semana").click()
    wait(driver, "return document.getElementById('grade').classList.contains('semana')",
         what="a semana")
    driver.save_screenshot(shots + "/agenda-semana.png")


def main():
    if len(sys.argv) != 4:
        print("uso: browser_test.py VIREO BANCO PASTA_DAS_IMAGENS", file=sys.stderr)
        return 2
    vireo, database, shots = sys.argv[1:]
    os.makedirs(shots, exist_ok=True)
    server, url = start_server(vireo, database)
    driver = None
    try:
        driver = open_browser()
        reports(driver, url, shots)
        agenda(driver, shots)
        return 0
    except Exception as e:  # the failure, said once, and the run fails
        print("falhou: %s: %s" % (type(e).__name__, e), file=sys.stderr)
        if driver:
            driver.save_screenshot(shots + "/falha.png")
        return 1
    finally:
        if driver:
            driver.quit()
        server.terminate()
        server.wait(timeout=30)


if __name__ == "__main__":
    sys.exit(main())
