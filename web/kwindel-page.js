// SPDX-FileCopyrightText: 2026 Brimsel
// SPDX-License-Identifier: GPL-3.0-or-later
// Starts the program in the page and does for it what a desktop would: shows
// its report (to read, print and save), and says so when it has stopped or
// cannot start.
'use strict';
(() => {
  const app = document.documentElement.dataset.app;
  const byId = id => document.getElementById(id);
  const notice = byId('melding');
  const screen = byId('scherm');
  const stopped = byId('gestopt');
  const report = byId('verslag');
  let document_ = null;  // the report shown: {name, bytes}

  function fail(text) {
    notice.textContent = text;
    notice.className = 'fout';
    screen.hidden = true;
    document.body.dataset.state = 'fout';
  }

  // The report's bytes as text: UTF-8 when they are, else the Windows code page
  // that older lists are written in.
  function decode(bytes) {
    try {
      return new TextDecoder('utf-8', {fatal: true}).decode(bytes);
    } catch (notUtf8) {
      return new TextDecoder('windows-1252').decode(bytes);
    }
  }

  // Called by the program, in place of a desktop's text viewer.
  window.kwindelPage = {
    showDocument(name, bytes) {
      document_ = {name, bytes};
      byId('verslag-naam').textContent = name;
      // In blocks of lines that the browser lays out only when they come into view: a report
      // of 10^5 pupils laid out whole would hold the page for seconds.
      const text = decode(bytes);
      const blocks = [];
      for (let start = 0; start < text.length;) {
        let end = start;
        for (let lines = 0; lines < 500 && end < text.length; lines++) {
          const next = text.indexOf('\n', end);
          end = next < 0 ? text.length : next + 1;
        }
        const block = document.createElement('span');
        block.className = 'blok';
        block.textContent = text.slice(start, end);
        blocks.push(block);
        start = end;
      }
      byId('verslag-tekst').replaceChildren(...blocks);
      report.hidden = false;
      report.scrollIntoView({block: 'nearest'});
    },
  };

  // A download made by the teacher's own click, which no pop-up blocker stops.
  byId('opslaan').addEventListener('click', () => {
    if (!document_) return;
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([document_.bytes], {type: 'text/plain'}));
    link.download = document_.name;
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 60000);
  });
  byId('afdrukken').addEventListener('click', () => window.print());
  byId('sluiten').addEventListener('click', () => { report.hidden = true; });
  byId('opnieuw').addEventListener('click', () => location.reload());

  function exited(status) {
    if (status.crashed) {
      fail('Kwindel is vastgelopen (' + (status.text || 'onbekende fout') +
           '). Laad de pagina opnieuw om verder te gaan.');
      return;
    }
    screen.hidden = true;
    notice.textContent = '';
    stopped.hidden = false;
    document.body.dataset.state = 'gestopt';
  }

  async function start() {
    if (typeof WebAssembly !== 'object' || typeof window[app + '_entry'] !== 'function' ||
        typeof qtLoad !== 'function') {
      fail(typeof WebAssembly !== 'object'
        ? 'Deze browser kan Kwindel niet uitvoeren: hij kent geen WebAssembly. Gebruik een ' +
          'recente versie van Chrome, Edge, Firefox of Safari.'
        : 'Kwindel kon niet worden geladen. Controleer de verbinding en laad de pagina opnieuw.');
      return;
    }
    try {
      await qtLoad({
        qt: {
          entryFunction: window[app + '_entry'],
          containerElements: [screen],
          onLoaded: () => { notice.textContent = ''; },
          onExit: exited,
        },
      });
    } catch (error) {
      console.error(error);
      fail('Kwindel kon niet worden gestart (' + error.message + '). Laad de pagina opnieuw.');
      return;
    }
    // Usable once the window's first frame is on the screen.
    requestAnimationFrame(() => requestAnimationFrame(() => {
      if (document.body.dataset.state) return;
      performance.mark('kwindel-usable');
      document.body.dataset.state = 'klaar';
    }));
  }

  if ('serviceWorker' in navigator && location.protocol !== 'file:') {
    window.addEventListener('load', () => {
      navigator.serviceWorker.register('sw.js').catch(error => console.warn(error));
    });
  }
  if (location.protocol === 'file:') {
    fail('Kwindel werkt vanaf een webserver, niet als los bestand. Start bijvoorbeeld ' +
         '"python3 -m http.server" in deze map en open http://localhost:8000/.');
  } else {
    start();
  }
})();
