// The browser side of `vireo serve`: the report list, the parameter panel
// kept on the server, the print's progress and the page preview.
"use strict";

const estado = { painel: null, relatorio: null, trabalho: null, pagina: 1, paginas: 0 };

// ---- report list ----
let grupos = [];

async function carregarLista() {
  grupos = (await api("GET", "/api/reports")).groups;
  desenharLista();
}

function desenharLista() {
  const filtro = $("busca").value.trim().toLowerCase();
  const lista = $("lista");
  lista.replaceChildren();
  for (const grupo of grupos) {
    const relatorios = grupo.reports.filter((r) =>
      !filtro || r.title.toLowerCase().includes(filtro) || r.name.toLowerCase().includes(filtro));
    if (!relatorios.length) continue;
    const titulo = document.createElement("h3");
    titulo.textContent = grupo.group;
    lista.append(titulo);
    for (const r of relatorios) {
      const botao = document.createElement("button");
      botao.type = "button";
      botao.dataset.nome = r.name;
      botao.textContent = r.title;
      const detalhe = document.createElement("small");
      detalhe.textContent = r.name + (r.versao ? " · " + r.versao : "");
      botao.append(detalhe);
      botao.addEventListener("click", () => abrirRelatorio(r, ""));
      if (estado.relatorio && estado.relatorio.name === r.name) botao.classList.add("ativo");
      lista.append(botao);
    }
  }
}

// ---- panel ----
async function abrirRelatorio(relatorio, variante) {
  if (estado.painel) api("DELETE", "/api/panels/" + estado.painel.id).catch(() => {});
  estado.relatorio = relatorio;
  desenharLista();
  const painel = await api("POST", "/api/panels", { report: relatorio.name, layout: variante });
  estado.painel = painel;
  $("painel").hidden = false;
  $("titulo-painel").textContent = painel.title;
  $("versao").textContent = painel.versao ? "Versão " + painel.versao : "";
  const layouts = $("layouts");
  layouts.replaceChildren();
  for (const l of relatorio.layouts) {
    const o = new Option(l.title || l.file, l.variant);
    o.selected = l.file === painel.layout;
    layouts.append(o);
  }
  layouts.parentElement.hidden = relatorio.layouts.length < 2;
  $("mensagens").replaceChildren();
  $("erro-painel").textContent = "";
  construirCampos(painel.params);
}

const seletor = /^\s*\d+(\s*\.\.\s*\d+)?(\s*;\s*\d+(\s*\.\.\s*\d+)?)*\s*;?\s*$/;

// The first fault of a selection as it is typed ("1;3;5..9"), or "".
function conferirSelecao(texto) {
  if (!texto.trim()) return "";
  if (!seletor.test(texto)) return "Use números separados por ; e intervalos a..b (ex.: 1;3;5..9)";
  for (const parte of texto.split(";")) {
    const [de, ate] = parte.split("..").map((x) => Number(x.trim()));
    if (ate !== undefined && ate < de) return "Intervalo invertido: " + parte.trim();
  }
  return "";
}

function paraDataBr(iso) {
  const [a, m, d] = iso.split("-");
  return d + "/" + m + "/" + a;
}
function paraIso(br) {
  const m = /^(\d{2})\/(\d{2})\/(\d{4})$/.exec(br.trim());
  return m ? m[3] + "-" + m[2] + "-" + m[1] : "";
}

function construirCampos(params) {
  const form = $("campos");
  form.replaceChildren();
  for (const p of params) {
    if (p.hidden) continue;
    const rotulo = document.createElement("label");
    rotulo.textContent = p.caption;
    rotulo.htmlFor = "campo-" + p.name;
    const caixa = document.createElement("div");
    caixa.className = "campo";
    caixa.dataset.nome = p.name;
    const entrada = criarEntrada(p);
    entrada.id = "campo-" + p.name;
    entrada.name = p.name;
    caixa.append(entrada);
    if (p.kind === "date") caixa.append(criarCalendario(entrada));
    const erro = document.createElement("span");
    erro.className = "erro";
    caixa.append(erro);
    form.append(rotulo, caixa);
    ligarEventos(p, entrada, erro);
  }
  aplicarEstado(params);
}

function criarEntrada(p) {
  if (p.kind === "yesno") {
    const c = document.createElement("input");
    c.type = "checkbox";
    return c;
  }
  if (p.kind === "choice") {
    const s = document.createElement("select");
    for (const item of p.items) s.append(new Option(item.text, item.value));
    return s;
  }
  const t = document.createElement("input");
  t.type = "text";
  if (p.kind === "date") t.placeholder = "dd/mm/aaaa";
  if (p.kind === "integer") t.inputMode = "numeric";
  if (p.kind === "selection") t.placeholder = "ex.: 1;3;5..9";
  if (p.lookup) {
    const lista = document.createElement("datalist");
    lista.id = "lista-" + p.name;
    t.setAttribute("list", lista.id);
    t.after(lista);
    t.dataset.lookup = "1";
  }
  return t;
}

function criarCalendario(entrada) {
  const calendario = document.createElement("input");
  calendario.type = "date";
  calendario.className = "calendario";
  calendario.setAttribute("aria-label", "Calendário");
  calendario.addEventListener("change", () => {
    if (!calendario.value) return;
    entrada.value = paraDataBr(calendario.value);
    entrada.dispatchEvent(new Event("change"));
  });
  entrada.addEventListener("input", () => { calendario.value = paraIso(entrada.value); });
  return calendario;
}

function valorDe(p, entrada) {
  return p.kind === "yesno" ? (entrada.checked ? "1" : "0") : entrada.value;
}

function ligarEventos(p, entrada, erro) {
  const url = (passo) => "/api/panels/" + estado.painel.id + "/" + passo;
  entrada.addEventListener("focus", async () => {
    await api("POST", url("enter"), { name: p.name }).then((r) => aplicarEstado(r.panel.params)).catch(() => {});
    if (entrada.dataset.lookup) carregarLookup(p.name, entrada);
  });
  entrada.addEventListener("blur", () => {
    api("POST", url("exit"), { name: p.name }).then((r) => aplicarEstado(r.panel.params)).catch(() => {});
  });
  if (p.kind === "selection") {
    entrada.addEventListener("input", () => {
      const falha = conferirSelecao(entrada.value);
      erro.textContent = falha;
      entrada.classList.toggle("invalido", !!falha);
    });
  }
  entrada.addEventListener("change", async () => {
    try {
      const r = await api("POST", url("change"), { name: p.name, value: valorDe(p, entrada) });
      erro.textContent = r.error || "";
      entrada.classList.toggle("invalido", !!r.error);
      aplicarEstado(r.panel.params, r.error ? p.name : null);
    } catch (e) {
      erro.textContent = e.message;
    }
  });
}

async function carregarLookup(nome, entrada) {
  try {
    const r = await api("GET", "/api/panels/" + estado.painel.id + "/lookup/" + nome);
    const lista = $("lista-" + nome);
    lista.replaceChildren(...r.items.map((i) => new Option(i.text, i.value)));
  } catch (e) {
    /* a list that cannot be read leaves the field as a plain text */
  }
}

// Shows what the report left: values, enabled and required.  A field whose
// value was just refused keeps what the user typed.
function aplicarEstado(params, manter) {
  for (const p of params) {
    const caixa = document.querySelector('.campo[data-nome="' + p.name + '"]');
    if (!caixa) continue;
    const entrada = caixa.firstElementChild;
    const rotulo = caixa.previousElementSibling;
    entrada.disabled = !p.enabled;
    rotulo.classList.toggle("obrigatorio", p.required);
    if (p.name === manter) continue;
    if (p.kind === "yesno") entrada.checked = p.value === "1";
    else if (document.activeElement !== entrada || p.kind === "choice") entrada.value = p.value;
    const calendario = caixa.querySelector(".calendario");
    if (calendario) { calendario.value = paraIso(p.value); calendario.disabled = !p.enabled; }
  }
}

// ---- print ----
async function imprimir() {
  $("erro-painel").textContent = "";
  $("mensagens").replaceChildren();
  try {
    const trabalho = await api("POST", "/api/panels/" + estado.painel.id + "/print");
    estado.trabalho = trabalho;
    $("imprimir").disabled = true;
    $("progresso").hidden = false;
    $("visualizacao").hidden = true;
    acompanhar();
  } catch (e) {
    $("erro-painel").textContent = e.message;
  }
}

function desenharBarra(barra, texto, b, reserva) {
  const total = b && b.max > b.min ? b.max - b.min : 0;
  const fracao = total ? (b.position - b.min) / total : reserva;
  $(barra).style.width = Math.round(Math.max(0, Math.min(1, fracao)) * 100) + "%";
  $(texto).textContent = (b && b.text) || "";
}

async function acompanhar() {
  const t = await api("GET", "/api/jobs/" + estado.trabalho.id).catch(() => null);
  if (!t) return setTimeout(acompanhar, 500);
  const p = t.progress || {};
  const contador = p.total ? p.position / p.total : 0;
  if (p.frame && p.frame.visible) {
    desenharBarra("barra-total", "texto-total", p.frame.total, 0);
    desenharBarra("barra-parcial", "texto-parcial", p.frame.partial, contador);
  } else {
    desenharBarra("barra-total", "texto-total", null, contador);
    $("texto-total").textContent = p.page ? "Página " + p.page : "Preparando…";
    desenharBarra("barra-parcial", "texto-parcial", null, 0);
  }
  if (t.state === "queued" || t.state === "running") return setTimeout(acompanhar, 300);
  $("imprimir").disabled = false;
  $("progresso").hidden = true;
  if (t.state === "failed") $("erro-painel").textContent = t.error;
  if (t.state === "cancelled") $("erro-painel").textContent = "Impressão cancelada.";
  for (const m of t.messages) {
    const li = document.createElement("li");
    li.textContent = m.name + ": " + m.text;
    $("mensagens").append(li);
  }
  if (t.state === "done") mostrarVisualizacao(t);
}

async function cancelar() {
  if (estado.trabalho) await api("POST", "/api/jobs/" + estado.trabalho.id + "/cancel").catch(() => {});
}

// ---- preview ----
function mostrarVisualizacao(t) {
  estado.paginas = t.pages;
  $("paginas").textContent = t.pages;
  $("pagina").max = t.pages;
  const base = "/api/jobs/" + t.id + "/download/";
  $("baixar-pdf").href = base + "pdf";
  $("baixar-pdf").hidden = !t.outputs.includes("pdf");
  $("baixar-txt").href = base + "txt";
  $("baixar-txt").hidden = !t.outputs.includes("txt");
  $("visualizacao").hidden = !t.pages;
  irPara(1);
}

function irPara(pagina) {
  if (!estado.paginas) return;
  estado.pagina = Math.max(1, Math.min(estado.paginas, pagina));
  $("pagina").value = estado.pagina;
  $("imagem-pagina").src = "/api/jobs/" + estado.trabalho.id + "/pages/" + estado.pagina +
    "?dpi=" + $("zoom").value;
}

document.addEventListener("DOMContentLoaded", () => {
  $("busca").addEventListener("input", desenharLista);
  $("layouts").addEventListener("change", (e) => abrirRelatorio(estado.relatorio, e.target.value));
  $("imprimir").addEventListener("click", imprimir);
  $("cancelar").addEventListener("click", cancelar);
  $("primeira").addEventListener("click", () => irPara(1));
  $("anterior").addEventListener("click", () => irPara(estado.pagina - 1));
  $("proxima").addEventListener("click", () => irPara(estado.pagina + 1));
  $("ultima").addEventListener("click", () => irPara(estado.paginas));
  $("pagina").addEventListener("change", (e) => irPara(Number(e.target.value)));
  $("zoom").addEventListener("change", () => irPara(estado.pagina));
  carregarLista().catch((e) => { $("lista").textContent = e.message; });
});
