// The construction: the lesson's figure built with straightedge and compass, step by step,
// below the lesson in its dialog; loaded with the lesson's script. "Построй сам" turns it into
// the pupil's own attempt, built with the tools by click, tap or keyboard.
// The program's player holds the construction, where the pupil is in it, whether it plays,
// the attempt, and each command's caption and whether it is enabled and on; the page draws
// the step or the attempt, runs the player's timer and sends the commands (the lesson's script
// sends their keys), and says what the attempt says after each of the pupil's actions.
'use strict';

(() => {
  const app = self.tamirelApp, parts = app.lessonParts;
  const constructionPart = document.getElementById('construction');
  const constructionFigure = document.getElementById('construction-figure');
  const stepRegion = document.getElementById('construction-step');
  const status = document.getElementById('attempt-status'), said = document.getElementById('attempt-said');
  let timer = null;

  // Shows the player's state (PlayerToJson's) and runs its timer while it plays. `told`: the
  // pupil acted, so what the attempt says is said again even where it is the same words.
  function show(json, told = false) {
    const construction = parts.construction = JSON.parse(json);
    if (construction.playing && !timer) timer = setInterval(() => player('tick'), construction.play);
    if (!construction.playing && timer) {
      clearInterval(timer);
      timer = null;
    }
    constructionPart.hidden = !construction.steps;
    if (!construction.steps) return;
    const attempt = construction.attempt;
    for (const row of constructionPart.querySelectorAll('.watching')) row.hidden = attempt.active;
    for (const row of constructionPart.querySelectorAll('.building')) row.hidden = !attempt.active;
    status.hidden = !attempt.active;
    // While the pupil builds, a reader hears what the attempt says, not each new prompt.
    stepRegion.setAttribute('aria-live', attempt.active ? 'off' : 'polite');
    if (attempt.active) {
      document.getElementById('construction-caption').textContent = attempt.title;
      document.getElementById('construction-sentence').textContent = attempt.prompt;
      status.textContent = attempt.status;
      // A live region speaks a change: the same words again differ by a trailing no-break space.
      const words = attempt.said + (told && said.textContent === attempt.said ? '\u00a0' : '');
      if (said.textContent !== words) said.textContent = words;
      constructionFigure.setAttribute('aria-label', `${attempt.title}. ${attempt.status}`);
    } else {
      document.getElementById('construction-caption').textContent = `${construction.title} — ${construction.caption}`;
      document.getElementById('construction-sentence').textContent = construction.sentence;
      said.textContent = '';
      constructionFigure.setAttribute('aria-label', `Чертеж на построяването: ${construction.caption}. ${construction.sentence}`);
    }
    // Disabled buttons keep the focus (a disabled one would drop it, and the dialog's keys).
    for (const { id, caption, enabled, on } of construction.commands) {
      const button = buttons.get(id);
      if (!button) continue;
      button.textContent = caption;
      button.setAttribute('aria-disabled', String(!enabled));
      if (button.hasAttribute('aria-pressed')) button.setAttribute('aria-pressed', String(on));
    }
    parts.paintFigure(parts.figures[1]);
  }
  const buttons = new Map([...constructionPart.querySelectorAll('[data-step], [data-attempt]')]
    .map((b) => [b.dataset.step ?? b.dataset.attempt, b]));

  const program = () => app.lessonProgram;
  const text = (pointer) => program().UTF8ToString(pointer);
  // Runs the player's command `name` (follow, home, back, play, forward, end, stop, tick).
  const player = (name) => show(text(program()[`_tamirel_player_${name}`]()));
  parts.refreshConstruction = () => player('follow');
  // Runs the command `id` of the table as the player runs it (a move, a tool, an edit, a pick).
  const run = (id) => show(text(program()._tamirel_player_command(parts.table.findIndex((c) => c.id === id))), true);

  const step = { what: 2, option: () => parts.construction.step, name: 'tamirel-postroyavane', failure: 'Стъпката не беше копирана' };
  const attemptPicture = { what: 4, option: () => 0, name: 'tamirel-opit', failure: 'Опитът не беше копиран' };

  // A printout: the core's pages, one to a printed sheet. Each page's clip paths are named
  // apart from the other pages', as they share the document.
  function fillPrintout(pages) {
    document.getElementById('handout').replaceChildren(...JSON.parse(text(pages)).pages.map((svg, i) => {
      const section = document.createElement('section');
      section.innerHTML = svg.replace(/(id="|url\(#)/g, `$1page${i}-`);
      return section;
    }));
    document.body.classList.add('handout');
  }
  const fillHandout = () => fillPrintout(program()._tamirel_handout_pages());

  function printHandout() {
    player('stop');
    fillHandout();
    window.print();
  }
  function printAttempt() {
    fillPrintout(program()._tamirel_attempt_pages());
    window.print();
  }
  window.addEventListener('afterprint', () => document.body.classList.remove('handout'));

  // The attempt's file, downloaded as "tamirel-opit-<vertices>-<radius>.postroi".
  function saveAttempt() {
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([text(program()._tamirel_attempt_text())], { type: 'text/plain' }));
    link.download = `tamirel-opit-${app.lists[2].value}-${app.lists[1].value}.postroi`;
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 60000);
  }

  // Opens an attempt file chosen by the pupil: no more of it is read than the program takes,
  // and a file it refuses leaves everything as it was, with the program's words why.
  const chooser = Object.assign(document.createElement('input'), { type: 'file', accept: '.postroi', hidden: true });
  constructionPart.append(chooser);
  chooser.addEventListener('change', async () => {
    const [file] = chooser.files;
    chooser.value = '';
    if (file) openAttempt(new Uint8Array(await file.slice(0, program()._tamirel_attempt_largest() + 1).arrayBuffer()));
  });
  // The lists then show the file's figure chosen, and the window's module chooses the same rows.
  const openAttempt = (bytes) => app.act(() => {
    const at = program()._tamirel_attempt_space(bytes.length);   // before the heap is read: it may grow
    program().HEAPU8.set(bytes, at);
    const refused = text(program()._tamirel_attempt_open());
    if (refused) return app.showMessage(refused);
    const rows = [1, 2].map((list) => app.lists[list].selectedIndex);
    rows.forEach((row, i) => app.program._tamirel_choose(i + 1, row));
    show(text(program()._tamirel_player_follow()), true);
  });

  // The construction's commands by id: the moves', the step's files', and the attempt's.
  const commands = parts.constructionCommands = { home: () => player('home'), back: () => player('back'), play: () => player('play'),
    forward: () => player('forward'), end: () => player('end'),
    copy: () => app.copyPicture(step), save: () => app.savePicture(step), print: printHandout,
    'open-attempt': () => chooser.click(), 'copy-attempt': () => app.copyPicture(attemptPicture), 'save-attempt': saveAttempt,
    'print-attempt': printAttempt };
  for (const { id, group } of parts.table) {
    if (['build', 'tools', 'edits', 'keys'].includes(group) && !commands[id]) commands[id] = () => run(id);
  }
  for (const [id, button] of buttons) {
    button.addEventListener('click', () => { if (button.getAttribute('aria-disabled') !== 'true') commands[id](); });
  }

  // A click or a tap on the figure picks what lies within a mouse's or a finger's reach; a
  // pointer that moved on the way (the figure dragged) picks nothing.
  const SLOP = 10;   // CSS px
  let down = null;
  constructionFigure.addEventListener('pointerdown', (e) => { down = { x: e.clientX, y: e.clientY, touch: e.pointerType === 'touch' }; });
  constructionFigure.addEventListener('click', (e) => {
    const from = down;
    down = null;
    if (!parts.construction?.attempt.active || (from && Math.hypot(e.clientX - from.x, e.clientY - from.y) > SLOP)) return;
    const figure = parts.figures[1];
    const reach = program()._tamirel_pick_reach(from?.touch ? 1 : 0) * parts.unitsPerPixel(figure);
    show(text(program()._tamirel_attempt_pick(...parts.canvasPoint(figure, e.clientX, e.clientY), reach)), true);
  });

  Object.assign(window.tamirel, { construction: () => parts.construction, handout: fillHandout });
})();
