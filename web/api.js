// What the pages of `vireo serve` share: the element lookup and the calls
// to the server's API (the session's cookie carries the token).
"use strict";

const $ = (id) => document.getElementById(id);

// The answer whatever its status: { ok, status, dados }.
async function pedir(metodo, caminho, corpo) {
  const resposta = await fetch(caminho, {
    method: metodo,
    headers: corpo ? { "Content-Type": "application/json" } : {},
    body: corpo ? JSON.stringify(corpo) : undefined,
    credentials: "same-origin",
  });
  const dados = await resposta.json().catch(() => ({}));
  return { ok: resposta.ok, status: resposta.status, dados };
}

// The answer's data; an error status raises with the server's message.
async function api(metodo, caminho, corpo) {
  const r = await pedir(metodo, caminho, corpo);
  if (!r.ok) throw new Error(r.dados.error || "Erro " + r.status);
  return r.dados;
}
