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
  const announcement = byId('aankondiging');
  let document_ = null;  // the report shown: {name, bytes}
  let program = null;  // the running program's module, once started

  // A phone narrower than the window and its margins shows the page zoomed out to fit them: the
  // window stays whole, at its own size in the page's pixels.
  const pageWidth = 482;
  if (window.screen.width < pageWidth) {
    document.querySelector('meta[name=viewport]').content =
      `width=${pageWidth}, initial-scale=${window.screen.width / pageWidth}`;
  }

  // The program focuses elements of its own (a hidden text input among them) as the teacher
  // clicks in the window. A focus that scrolled the page would move the window away under the
  // mouse between press and release, and the click would be lost.
  const focus = HTMLElement.prototype.focus;
  HTMLElement.prototype.focus = function (options) {
    focus.call(this, {...options, preventScroll: true});
  };

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

  // The elements the program makes for screen readers, one for each control, named after it.
  function accessible(name) {
    const shadow = byId('qt-shadow-container')?.shadowRoot;
    return shadow?.querySelector(`.qt-window-a11y-container [id$=".${CSS.escape(name)}"]`);
  }
  // What the program told of its controls, by id, given to those elements as they come.
  const described = new Map();
  function describe() {
    for (const [id, facts] of described) {
      const element = accessible(id);
      if (!element) continue;
      element.setAttribute('aria-label', facts.name);
      // A readonly text area: its value is what the reader reads as the label's text.
      if ('text' in facts) element.value = facts.text;
      if ('minimum' in facts) {
        element.min = facts.minimum;
        element.max = facts.maximum;
        element.value = facts.value;
        // The text input the program types the number box's digits through: the window's only one.
        programInput()?.setAttribute('aria-label', facts.name);
      }
    }
  }

  // Called by the program.
  window.kwindelPage = {
    describeNumberBox(id, name, value, minimum, maximum) {
      described.set(id, {name, value, minimum, maximum});
      describe();
    },
    describeLabel(id, name, text) {
      described.set(id, {name, text});
      describe();
    },
    leaveWindow,

    // In place of a desktop's text viewer.
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
      // Emptied first, so that the next report is read out too.
      announcement.textContent = '';
      setTimeout(() => {
        announcement.textContent = 'Het verslag ' + name + ' staat onder het venster.';
      }, 100);
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
      program = await qtLoad({
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
      // The program's part of the accessibility tree is built once a button of the program's own
      // is pressed, which a screen reader would read out in English first: it is pressed here.
      const shadow = byId('qt-shadow-container')?.shadowRoot;
      if (shadow) {
        shadow.querySelectorAll('button.hidden-visually-read-by-screen-reader')
          .forEach(button => button.click());
        // Those elements stand behind the window for screen readers only: Tab goes through the
        // window's own controls, which it draws with their focus.
        const untabbable = () => {
          shadow.querySelectorAll('.qt-window-a11y-container *:not([tabindex])')
            .forEach(element => { element.tabIndex = -1; });
        };
        untabbable();
        new MutationObserver(untabbable).observe(shadow, {childList: true, subtree: true});
        const input = programInput();
        if (input) input.tabIndex = -1;
        describe();
      }
      performance.mark('kwindel-usable');
      document.body.dataset.state = 'klaar';
      window.dispatchEvent(new Event('kwindel-usable'));
    }));
  }

  // The window is one stop of the page's Tab order. Tab into it from the page before it starts at
  // its first control, Shift+Tab from the page after it at its last; inside it Tab goes through
  // its controls (the program takes the keys), and past its last one (Shift+Tab: before its
  // first) the program asks the page to go on. The elements the program focuses itself (its
  // canvas, a hidden text input) are no stops of their own.
  screen.tabIndex = 0;
  const programInput = () => document.querySelector('body > input[type=text]');
  let tabbing = null;  // 'forward' or 'back' while a Tab key is down
  document.addEventListener('keydown', event => {
    tabbing = event.key === 'Tab' ? (event.shiftKey ? 'back' : 'forward') : null;
  }, true);
  document.addEventListener('keyup', () => { tabbing = null; }, true);
  function leaveWindow(forward) {
    const stops = [...document.querySelectorAll('button, [href], input, [tabindex="0"]')]
      .filter(element => element.tabIndex >= 0 && element.getClientRects().length > 0);
    const at = stops.indexOf(screen);
    const next = stops[forward ? at + 1 : at - 1];
    if (next) {
      focus.call(next);  // scrolled into view, as the browser's own Tab does
    } else {
      // Nothing on that side: the window lets go of the keys, and the next Tab starts the page over.
      const focused = document.activeElement;
      (focused.shadowRoot?.activeElement ?? focused).blur();
    }
  }
  screen.addEventListener('focus', () => {
    if (program && tabbing) program.kwindelEnterWindowByTab(tabbing === 'forward');
    // The keys go to the program's canvas, as after a click in the window.
    byId('qt-shadow-container')?.shadowRoot?.querySelector('.qt-window-content')?.focus();
  });

  // A new build on the server is installed beside the one this page runs, and waits: the page
  // offers it, and loads it whole on the teacher's word, never mixed with this one's files.
  let updating = false;
  function offerUpdate(worker) {
    byId('nieuwe-versie').hidden = false;
    byId('nieuwe-versie-laden').onclick = () => {
      updating = true;
      worker.postMessage('activeer');
    };
  }
  if ('serviceWorker' in navigator && location.protocol !== 'file:') {
    // Once the program runs: then the worker finds its files in the browser's cache and does not
    // download them a second time beside the program's own download.
    window.addEventListener('kwindel-usable', async () => {
      try {
        const registration = await navigator.serviceWorker.register('sw.js');
        const watch = worker => worker.addEventListener('statechange', () => {
          if (worker.state === 'installed' && navigator.serviceWorker.controller) offerUpdate(worker);
        });
        if (registration.waiting && navigator.serviceWorker.controller) {
          offerUpdate(registration.waiting);
        }
        if (registration.installing) watch(registration.installing);
        registration.addEventListener('updatefound', () => watch(registration.installing));
      } catch (error) {
        console.warn(error);
      }
    });
    // The first visit's worker takes the page it was installed from too; only the new build
    // asked for reloads it.
    navigator.serviceWorker.addEventListener('controllerchange', () => {
      if (updating) location.reload();
    });
  }
  if (location.protocol === 'file:') {
    fail('Kwindel werkt vanaf een webserver, niet als los bestand. Start bijvoorbeeld ' +
         '"python3 -m http.server" in deze map en open http://localhost:8000/.');
  } else {
    start();
  }
})();
