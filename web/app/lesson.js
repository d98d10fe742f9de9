// The lesson: the chosen figure with its marks and numbers, in a dialog over the page.
// Loaded with the construction's script when the lesson is first asked for (page.js).
// F1 or "Урок…" in the canvas's menu opens it; it follows the radius and vertex-count lists
// while open. The program makes the lesson (scene, numbers, SVG); the page only draws it.
'use strict';

(() => {
  const app = self.tamirelApp;
  const form = app.form;
  const lessonDialog = document.getElementById('lesson');
  // Open and saying "Урокът се зарежда…": asked for, its program not yet here.
  const loading = () => lessonDialog.classList.contains('loading');
  const lessonFigure = document.getElementById('lesson-figure');
  const lessonDiagonals = document.getElementById('lesson-diagonals');
  let lesson = null, lessonBack = null;
  // What the construction's script shares with the lesson's.
  const parts = app.lessonParts = { construction: null, refreshConstruction() {}, lesson: () => lesson };

  // Paints any scene (SceneToJson's) onto a 2D context `side` device pixels square, showing the
  // square `view` ({focus: [x, y], reach}, the scene's own focus and reach unless enlarged).
  // Pens, dots and letters keep the size they have in the scene's own square, so enlarging
  // spreads the figure without enlarging its marks; no pen is thinner than `minPen` device
  // pixels. Labels are set in the font `font`.
  function paintScene(ctx, scene, side, font, view = scene, minPen = 0) {
    const scale = side / (2 * view.reach);
    const marks = view.reach / scene.reach;   // canvas units of the view per unit of a mark
    const pen = (width) => Math.max(width * marks, minPen / scale);
    ctx.save();
    ctx.fillStyle = '#fff';
    ctx.fillRect(0, 0, side, side);
    ctx.translate(side / 2 - view.focus[0] * scale, side / 2 - view.focus[1] * scale);
    ctx.scale(scale, scale);
    ctx.lineCap = ctx.lineJoin = 'round';
    for (const it of scene.items) {
      ctx.strokeStyle = ctx.fillStyle = it.colour;
      ctx.lineWidth = pen(it.width);
      ctx.beginPath();
      const p = it.points;
      switch (it.kind) {
        case 'segment': case 'ray':
          ctx.moveTo(it.a[0], it.a[1]); ctx.lineTo(it.b[0], it.b[1]); ctx.stroke(); break;
        case 'circle':
          ctx.arc(it.a[0], it.a[1], it.radius, 0, 2 * Math.PI); ctx.stroke(); break;
        case 'arc': {   // degrees counter-clockwise on screen; the canvas's angles run clockwise
          const rad = Math.PI / 180;
          ctx.arc(it.a[0], it.a[1], it.radius, -it.start * rad, -(it.start + it.sweep) * rad, it.sweep > 0);
          ctx.stroke();
          break;
        }
        case 'polygon': case 'rightangle':
          for (let i = 0; i < p.length; i += 2) ctx[i ? 'lineTo' : 'moveTo'](p[i], p[i + 1]);
          if (it.kind === 'polygon') ctx.closePath();
          ctx.stroke();
          break;
        case 'point':
          ctx.arc(it.a[0], it.a[1], Math.max(it.radius * marks, minPen / scale), 0, 2 * Math.PI); ctx.fill(); break;
        case 'label':
          ctx.font = `${it.size * marks}px ${font}`;
          ctx.textAlign = 'center';
          ctx.textBaseline = 'alphabetic';   // placed by its baseline, as the SVG and the desktop place it
          ctx.strokeStyle = '#fff';
          ctx.lineWidth = 2 * it.halo * marks;
          ctx.strokeText(it.text, it.a[0], it.a[1] + it.baseline * marks);
          ctx.fillText(it.text, it.a[0], it.a[1] + it.baseline * marks);
          break;
      }
    }
    ctx.restore();
  }

  // The dialog's two figures: the scene each shows, and the program's view of it (0 the
  // lesson's, 1 the construction's), which the user enlarges and moves.
  const figures = parts.figures = [{ canvas: lessonFigure, view: 0, scene: () => lesson?.scene },
    { canvas: document.getElementById('construction-figure'), view: 1,
      scene: () => (parts.construction?.attempt.active ? parts.construction.attempt.scene : parts.construction?.steps && parts.construction.scene) }];
  // CSS px at the window's designed size: its text, and the thinnest pen a projector shows.
  const MIN_LETTER = 16, MIN_PEN = 2;
  const lessonScale = app.lessonScale;

  // The square the program's view `view` shows: {factor, focus: [x, y], reach} in canvas units.
  parts.view = (view) => {
    const p = app.lessonProgram;
    return { factor: p._tamirel_view_factor(view), focus: [p._tamirel_view_x(view), p._tamirel_view_y(view)], reach: p._tamirel_view_reach(view) };
  };
  // The canvas point under the client point (x, y) of figure `figure`, and its canvas units per CSS px.
  parts.canvasPoint = (figure, x, y) => {
    const r = figure.canvas.getBoundingClientRect();
    const { focus, reach } = parts.view(figure.view);
    return [focus[0] + (x - r.left - r.width / 2) * 2 * reach / r.width, focus[1] + (y - r.top - r.height / 2) * 2 * reach / r.height];
  };
  parts.unitsPerPixel = (figure) => 2 * app.lessonProgram._tamirel_view_reach(figure.view) / figure.canvas.getBoundingClientRect().width;

  const paintFigure = parts.paintFigure = (figure) => {
    const scene = figure.scene();
    if (!scene) return;
    const ratio = window.devicePixelRatio || 1;
    const side = Math.round(figure.canvas.clientWidth * ratio);
    if (figure.canvas.width !== side) figure.canvas.width = figure.canvas.height = side;
    const { factor, focus, reach } = parts.view(figure.view);
    figure.canvas.classList.toggle('zoomed', factor > 1);
    paintScene(figure.canvas.getContext('2d'), scene, side, lesson.measures.font, { focus, reach }, MIN_PEN * lessonScale() * ratio);
  };

  function paintLesson() {
    paintFigure(figures[0]);
    if (!performance.getEntriesByName('tamirel-lesson-paint').length) performance.mark('tamirel-lesson-paint');
  }

  // The side, in CSS px, below which a figure's smallest letter would be smaller than the
  // window's text.
  function legibleSide(scene) {
    const sizes = scene ? scene.items.filter((i) => i.kind === 'label').map((i) => i.size) : [];
    return sizes.length ? Math.ceil(MIN_LETTER * lessonScale() * 2 * scene.reach / Math.min(...sizes)) : 0;
  }

  // Both figures one side: as large as the dialog holds beside the text (or above it where the
  // room is narrow), never smaller than their letters need; the dialog scrolls for the rest.
  const TEXT_WIDTH = 280, GAP = 16, LARGEST = 800;
  function fitFigures() {
    const style = getComputedStyle(lessonDialog);
    const width = lessonDialog.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight);
    const height = lessonDialog.clientHeight - lessonDialog.querySelector('.lesson-head').offsetHeight - parseFloat(style.paddingBottom);
    const legible = Math.max(...figures.map((f) => legibleSide(f.scene())));
    const beside = width - GAP - TEXT_WIDTH * lessonScale();
    const side = Math.floor(Math.max(legible, Math.min(beside >= legible ? beside : width, height, LARGEST)));
    for (const { canvas } of figures) canvas.style.width = canvas.style.height = side + 'px';
  }

  const placeLesson = app.placeLesson;

  // What takes the focus or is scrolled to stops below the title bar, not under it.
  const clearHead = () => { lessonDialog.style.scrollPaddingTop = lessonDialog.querySelector('.lesson-head').offsetHeight + 'px'; };

  // Fits the dialog to the screen and its figures to the dialog, and paints them.
  function layoutLesson() {
    if (!lessonDialog.open) return;
    placeLesson();
    fitFigures();
    clearHead();
    for (const figure of figures) paintFigure(figure);
  }

  // Reads the lesson for the lists' choices and shows it.
  function refreshLesson() {
    lesson = JSON.parse(app.lessonProgram.UTF8ToString(app.lessonProgram._tamirel_lesson(lessonDiagonals.checked ? 1 : 0)));
    document.getElementById('lesson-title').textContent = lesson.title || lesson.description;
    document.getElementById('lesson-givens').textContent = lesson.givens;
    document.getElementById('lesson-numbers').replaceChildren(...lesson.numbers.map((n) => {
      // Name, formula, then the figures put in and the result: three short lines.
      const item = document.createElement('li');
      for (const text of [n.name + ':', n.formula, `= ${n.putIn} ${n.result}`]) {
        const line = document.createElement('span');
        line.textContent = text;
        item.append(line);
      }
      item.setAttribute('aria-label', n.text);
      return item;
    }));
    lessonFigure.setAttribute('aria-label', 'Чертеж на урока: ' + (lesson.title || lesson.description));
    parts.refreshConstruction();
    fitFigures();
    paintFigure(figures[1]);
    paintLesson();
  }

  // `back`: what takes the focus again when the lesson closes. The lesson takes the focus; after
  // it said it was loading, only where the focus still is in it (or nowhere), as the user may
  // have moved on meanwhile.
  function openLesson(back = document.activeElement) {
    const focus = document.activeElement;
    const waited = loading();
    const takeFocus = !waited || !focus || focus === document.body || lessonDialog.contains(focus);
    if (!lessonDialog.open || waited) {
      lessonBack = back;
      lessonDialog.classList.remove('loading');
      lessonDialog.show();
      placeLesson();
    }
    refreshLesson();
    clearHead();
    if (takeFocus) lessonFigure.focus();
  }

  function closeLesson() {
    lessonDialog.close();
    if (lessonBack && lessonBack.isConnected) lessonBack.focus();
  }

  // The dialog's commands, as the page was written from the program's table: {id, group
  // ("head", "lesson", "moves", "files", "build", "tools", "edits", "attemptFiles", "keys"),
  // caption, on (the caption while on), keys, title}; a command's place in it names it to the program.
  const table = parts.table = JSON.parse(document.getElementById('lesson-command-table').textContent).commands;

  // Folds the dialog to its title bar at the bottom of the screen, or opens it out again.
  const foldButton = lessonDialog.querySelector('[data-lesson=fold]');
  const fold = table.find((c) => c.id === 'fold');
  function foldLesson() {
    const folded = lessonDialog.classList.toggle('folded');
    foldButton.textContent = folded ? fold.on : fold.caption;
    foldButton.setAttribute('aria-expanded', String(!folded));
    if (!folded) layoutLesson();
  }

  function toggleDiagonals() {
    lessonDiagonals.checked = !lessonDiagonals.checked;
    refreshLesson();
  }

  const picture = { what: 1, option: () => (lessonDiagonals.checked ? 1 : 0), name: 'tamirel-urok', failure: 'Урокът не беше копиран' };

  app.openLesson = openLesson;
  // The lesson's commands by id, the title bar's and the lesson's; the construction's script
  // adds its own (parts.constructionCommands).
  const lessonCommands = { copy: () => app.copyPicture(picture), save: () => app.savePicture(picture), close: closeLesson,
    fold: foldLesson, diagonals: toggleDiagonals };
  for (const button of lessonDialog.querySelectorAll('[data-lesson]')) {
    button.addEventListener('click', () => lessonCommands[button.dataset.lesson]());
  }
  lessonDiagonals.addEventListener('change', refreshLesson);

  // A key as the table names it: "Control+C", "Space", "ArrowRight".
  const keyName = (e) => {
    const key = self.tamirelKey(e);
    return (e.ctrlKey || e.metaKey ? 'Control+' : '') + (key === ' ' ? 'Space' : key.length === 1 ? key.toUpperCase() : key);
  };
  // Where each group's keys act: the construction's files (the steps' and the attempt's) while
  // its controls have the focus; its other keys anywhere in the dialog (but Space and Enter
  // press a focused button), the lesson's there too. The groups in the order they are asked;
  // where several commands have the key, the first enabled one runs (Left steps back while the
  // pupil watches and walks the picks while they build), else the first of the steps' or the lesson's.
  const constructionPart = document.getElementById('construction');
  const inPart = (e) => constructionPart.contains(e.target), shown = () => !constructionPart.hidden;
  const free = (e) => shown() && !([' ', 'Enter'].includes(e.key) && e.target.closest('button, input, select'));
  const acts = { files: inPart, attemptFiles: inPart, moves: free, keys: free, tools: shown, edits: shown, build: shown,
    lesson: () => true, head: () => true };
  const order = Object.keys(acts), lessonGroups = ['lesson', 'head'], building = ['attemptFiles', 'keys', 'tools', 'edits', 'build'];
  const enabled = (c) => lessonGroups.includes(c.group) || parts.construction?.commands.find((x) => x.id === c.id)?.enabled;
  lessonDialog.addEventListener('keydown', (e) => {
    if (e.altKey) return;
    const name = keyName(e);
    const fits = table.filter((c) => c.keys.includes(name) && acts[c.group](e)).sort((a, b) => order.indexOf(a.group) - order.indexOf(b.group));
    const command = fits.find(enabled) ?? fits.find((c) => !building.includes(c.group));
    if (!command || (command.id.startsWith('copy') && !getSelection().isCollapsed)) return;   // a selection copies as text
    // While the lesson loads there is none to act on: its keys do nothing but close it.
    if (!loading() || command.id === 'close') {
      (lessonGroups.includes(command.group) ? lessonCommands : parts.constructionCommands)[command.id]();
    }
    e.preventDefault();
    e.stopPropagation();   // the window's own Ctrl+S saves the drawing, not the lesson
  });
  // Following the lists: the user's choices, and writes from the program (as "Чисти" makes),
  // once the lesson is shown (not while it says it is loading: opening it reads them then).
  const following = () => lessonDialog.open && !loading();
  for (const list of form.querySelectorAll('select')) {
    list.addEventListener('change', () => { if (following() && list.dataset.index !== '0') refreshLesson(); });
  }
  const selectRow = app.page.select;
  app.page.select = (list, row) => {
    selectRow(list, row);
    if (following() && list > 0) queueMicrotask(refreshLesson);
  };
  // The browser's zoom changes the room in CSS pixels, the window's scale its place.
  window.addEventListener('resize', layoutLesson);
  form.addEventListener('scale', layoutLesson);
  matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`).addEventListener('change', layoutLesson);

  Object.assign(window.tamirel, { lesson: () => lesson, view: parts.view });
})();
