// The agenda page of `vireo serve`: the logged-in user's appointments by
// month or week, and the appointment editor.  The server keeps no editor
// between requests: the page keeps what was opened and the changes typed,
// in order, and sends them with every question (state, lookup, save).
"use strict";

const MESES = ["janeiro", "fevereiro", "março", "abril", "maio", "junho", "julho", "agosto",
  "setembro", "outubro", "novembro", "dezembro"];
const DIAS = ["Dom", "Seg", "Ter", "Qua", "Qui", "Sex", "Sáb"];
const CONCLUIDA = "cxCheckBoxConcluida";

const agenda = { visao: "mes", dia: hoje(), itens: [] };
const edicao = { aberto: null, alteracoes: [], estado: null };

function hoje() { const d = new Date(); d.setHours(0, 0, 0, 0); return d; }
function doisDigitos(n) { return String(n).padStart(2, "0"); }
function br(d) { return doisDigitos(d.getDate()) + "/" + doisDigitos(d.getMonth() + 1) + "/" + d.getFullYear(); }
function iso(d) { return d.getFullYear() + "-" + doisDigitos(d.getMonth() + 1) + "-" + doisDigitos(d.getDate()); }
function somarDias(d, n) { const r = new Date(d); r.setDate(r.getDate() + n); return r; }
function semCaractereAtalho(texto) { return texto.replace(/&(.)/g, "$1"); }

// ---- the calendar ----

// The days shown: whole weeks from Sunday.
function diasVisiveis() {
  const d = agenda.dia;
  if (agenda.visao === "semana") {
    const inicio = somarDias(d, -d.getDay());
    return { inicio, fim: somarDias(inicio, 6) };
  }
  const primeiro = new Date(d.getFullYear(), d.getMonth(), 1);
  const inicio = somarDias(primeiro, -primeiro.getDay());
  const ultimo = new Date(d.getFullYear(), d.getMonth() + 1, 0);
  return { inicio, fim: somarDias(ultimo, 6 - ultimo.getDay()) };
}

async function carregarAgenda() {
  const { inicio, fim } = diasVisiveis();
  $("erro-agenda").textContent = "";
  try {
    const r = await api("GET", "/api/agenda?de=" + br(inicio) + "&ate=" + br(fim));
    agenda.itens = r.items;
    desenharLegenda(r.labels);
  } catch (e) {
    agenda.itens = [];
    $("erro-agenda").textContent = e.message;
  }
  desenharGrade(inicio, fim);
}

function desenharLegenda(rotulos) {
  const legenda = $("legenda");
  legenda.replaceChildren();
  for (const r of rotulos) {
    if (!r.color) continue;
    const s = document.createElement("span");
    s.textContent = r.caption;
    s.style.setProperty("--cor", r.color);
    legenda.append(s);
  }
}

function tituloPeriodo(inicio, fim) {
  if (agenda.visao === "mes") {
    const m = agenda.dia;
    return MESES[m.getMonth()].replace(/^./, (c) => c.toUpperCase()) + " de " + m.getFullYear();
  }
  return br(inicio) + " a " + br(fim);
}

function desenharGrade(inicio, fim) {
  $("periodo").textContent = tituloPeriodo(inicio, fim);
  $("ver-mes").classList.toggle("ativo", agenda.visao === "mes");
  $("ver-semana").classList.toggle("ativo", agenda.visao === "semana");
  const grade = $("grade");
  grade.className = "grade " + agenda.visao;
  grade.replaceChildren();
  for (const nome of DIAS) {
    const c = document.createElement("div");
    c.className = "dia-semana";
    c.textContent = nome;
    grade.append(c);
  }
  const hojeIso = iso(hoje());
  for (let d = inicio; d <= fim; d = somarDias(d, 1)) {
    const dia = document.createElement("div");
    dia.className = "dia";
    dia.dataset.dia = iso(d);
    if (agenda.visao === "mes" && d.getMonth() !== agenda.dia.getMonth()) dia.classList.add("fora");
    if (iso(d) === hojeIso) dia.classList.add("hoje");
    const numero = document.createElement("span");
    numero.className = "numero";
    numero.textContent = agenda.visao === "semana" ? br(d).slice(0, 5) : d.getDate();
    dia.append(numero);
    const diaDe = new Date(d);
    dia.addEventListener("click", (e) => { if (e.target === dia || e.target === numero) novoNoDia(diaDe); });
    for (const item of agenda.itens) {
      if (item.start.slice(0, 10) <= iso(d) && item.finish.slice(0, 10) >= iso(d))
        dia.append(desenharItem(item));
    }
    grade.append(dia);
  }
}

function desenharItem(item) {
  const b = document.createElement("button");
  b.type = "button";
  b.className = "compromisso" + (item.completed ? " concluido" : "");
  if (item.color) {
    b.style.setProperty("--cor", item.color);
    b.style.setProperty("--fundo", item.color + "33");
  }
  const hora = document.createElement("span");
  hora.className = "hora";
  hora.textContent = item.allDay ? "dia todo" : item.start.slice(11, 16);
  const titulo = document.createElement("span");
  titulo.className = "titulo";
  titulo.textContent = item.caption || "(sem assunto)";
  b.append(hora, titulo);
  if (agenda.visao === "semana" && item.location) {
    const local = document.createElement("span");
    local.className = "local";
    local.textContent = item.location;
    b.append(local);
  }
  b.title = [item.start.slice(11, 16) + "–" + item.finish.slice(11, 16), item.caption,
    item.location, item.label, item.completed ? "Concluído" : ""].filter(Boolean).join(" · ");
  // An occurrence of a series not changed yet is opened by its index.
  b.addEventListener("click", () => abrirEditor(item.index === null
    ? { seq: item.seq } : { seq: item.seq, occurrence: item.index }));
  return b;
}

function mover(sentido) {
  const d = agenda.dia;
  agenda.dia = agenda.visao === "mes"
    ? new Date(d.getFullYear(), d.getMonth() + sentido, 1)
    : somarDias(d, 7 * sentido);
  carregarAgenda();
}

// ---- the editor ----

function corpo(extra) {
  return Object.assign({}, edicao.aberto, { changes: edicao.alteracoes }, extra || {});
}

async function abrirEditor(aberto, alteracoes) {
  edicao.aberto = aberto;
  edicao.alteracoes = alteracoes || [];
  $("erro-editor").textContent = "";
  try {
    mostrarEditor(await api("POST", "/api/agenda/editor", corpo()));
  } catch (e) {
    $("erro-agenda").textContent = e.message;
  }
}

function novoNoDia(dia) {
  agenda.dia = dia;  // the week view then shows the week of that day
  const d = br(dia);
  abrirEditor({}, [["Inicio", d + " 09:00"], ["Fim", d + " 09:30"]]);
}

function mostrarEditor(estado) {
  edicao.estado = estado;
  $("editor").hidden = false;
  $("titulo-editor").textContent = estado.title;
  $("concluir").hidden = !edicao.aberto.seq;
  const form = $("campos-agenda");
  form.replaceChildren();
  for (const f of estado.fields) {
    if (f.hidden) continue;
    const rotulo = document.createElement("label");
    rotulo.textContent = semCaractereAtalho(f.caption);
    rotulo.htmlFor = "campo-" + f.name;
    if (f.required) rotulo.classList.add("obrigatorio");
    const campo = document.createElement("div");
    campo.className = "campo";
    const entrada = criarEntrada(f);
    entrada.id = "campo-" + f.name;
    entrada.name = f.name;
    entrada.disabled = !f.enabled;
    campo.append(entrada);
    if (f.lookup) campo.append(botaoProcurar(f, campo, entrada));
    if (f.description) {
      const d = document.createElement("span");
      d.className = "descricao";
      d.textContent = f.description;
      campo.append(d);
    }
    if (estado.refused && estado.refused.field === f.name) {
      const erro = document.createElement("span");
      erro.className = "erro";
      erro.textContent = estado.refused.message;
      entrada.classList.add("invalido");
      campo.append(erro);
    }
    form.append(rotulo, campo);
  }
}

function criarEntrada(f) {
  let e;
  if (f.kind === "yesno") {
    e = document.createElement("input");
    e.type = "checkbox";
    e.checked = f.text === "1";
    e.addEventListener("change", () => alterar(f.name, e.checked ? "1" : "0"));
    return e;
  }
  if (f.items.length) {
    e = document.createElement("select");
    for (const i of f.items) e.append(new Option(i.text, i.value, false, i.value === f.text));
  } else if (f.name === "Mensagem") {
    e = document.createElement("textarea");
    e.value = f.text;
  } else {
    e = document.createElement("input");
    e.value = f.text;
    if (f.kind === "integer") e.inputMode = "numeric";
  }
  e.addEventListener("change", () => alterar(f.name, e.value));
  return e;
}

function botaoProcurar(f, campo, entrada) {
  const b = document.createElement("button");
  b.type = "button";
  b.className = "procurar";
  b.textContent = "…";
  b.title = "Procurar";
  b.disabled = !f.enabled;
  b.addEventListener("click", async () => {
    const velha = campo.querySelector(".opcoes");
    if (velha) return velha.remove();
    const lista = document.createElement("div");
    lista.className = "opcoes";
    try {
      const r = await api("POST", "/api/agenda/editor/choices", corpo({ field: f.name }));
      if (!r.items.length) lista.textContent = "Nenhuma opção";
      for (const i of r.items) {
        const o = document.createElement("button");
        o.type = "button";
        o.textContent = i.value + " — " + i.text;
        o.addEventListener("click", () => alterar(f.name, i.value));
        lista.append(o);
      }
    } catch (e) {
      lista.textContent = e.message;
    }
    campo.insertBefore(lista, entrada.nextSibling.nextSibling);
  });
  return b;
}

// A change goes to the server with the earlier ones; a refused one is shown
// beside its field and left out of the edit.
async function alterar(nome, valor) {
  const alteracoes = edicao.alteracoes.filter(([n]) => n !== nome).concat([[nome, valor]]);
  $("erro-editor").textContent = "";
  try {
    const estado = await api("POST", "/api/agenda/editor", corpo({ changes: alteracoes }));
    if (!estado.refused) edicao.alteracoes = alteracoes;
    mostrarEditor(estado);
  } catch (e) {
    $("erro-editor").textContent = e.message;
  }
}

async function salvar(extras) {
  $("erro-editor").textContent = "";
  const r = await pedir("POST", "/api/agenda/save",
    corpo({ changes: edicao.alteracoes.concat(extras || []) }));
  if (!r.ok) {
    if (r.dados.form) mostrarEditor(r.dados.form);
    $("erro-editor").textContent = "Não gravado: " + (r.dados.error || "erro " + r.status);
    $("erro-editor").scrollIntoView({ block: "nearest" });
    return;
  }
  fecharEditor();
  await carregarAgenda();
}

function fecharEditor() {
  $("editor").hidden = true;
  edicao.aberto = null;
  edicao.alteracoes = [];
}

document.addEventListener("DOMContentLoaded", () => {
  $("voltar").addEventListener("click", () => mover(-1));
  $("avancar").addEventListener("click", () => mover(1));
  $("hoje").addEventListener("click", () => { agenda.dia = hoje(); carregarAgenda(); });
  $("ver-mes").addEventListener("click", () => { agenda.visao = "mes"; carregarAgenda(); });
  $("ver-semana").addEventListener("click", () => { agenda.visao = "semana"; carregarAgenda(); });
  $("novo").addEventListener("click", () => novoNoDia(agenda.visao === "mes" && agenda.dia.getMonth() !== hoje().getMonth() ? agenda.dia : hoje()));
  $("salvar").addEventListener("click", () => salvar());
  $("concluir").addEventListener("click", () => salvar([[CONCLUIDA, "1"]]));
  $("descartar").addEventListener("click", fecharEditor);
  $("fechar").addEventListener("click", fecharEditor);
  // "#2025-03" or "#2025-03-10" opens that month or day.
  const m = /^#(\d{4})-(\d{2})(?:-(\d{2}))?$/.exec(location.hash);
  if (m) agenda.dia = new Date(Number(m[1]), Number(m[2]) - 1, Number(m[3] || 1));
  carregarAgenda();
});
