// The construction: the lesson's figure built with straightedge and compass, step by step,
// below the lesson in its dialog; loaded with the lesson's script.
// The program holds the construction and where the pupil is in it; the page draws the step
// and sends the keys. Ctrl+C, Ctrl+S and Ctrl+P are the construction's while its controls
// have the focus.
'use strict';

(() => {
  const app = self.tamirelApp, parts = app.lessonParts;
  const constructionPart = document.getElementById('construction');
  const constructionFigure = document.getElementById('construction-figure');
  const playButton = constructionPart.querySelector('[data-step=play]');
  let playing = null;

  function showConstruction(json) {
    const construction = parts.construction = JSON.parse(json);
    constructionPart.hidden = !construction.steps;
    if (!construction.steps) return;
    document.getElementById('construction-caption').textContent = `${construction.title} — ${construction.caption}`;
    document.getElementById('construction-sentence').textContent = construction.sentence;
    constructionFigure.setAttribute('aria-label', `Чертеж на построяването: ${construction.caption}. ${construction.sentence}`);
    parts.paintFigure(parts.figures[1]);
  }

  function stopPlaying() {
    clearInterval(playing);
    playing = null;
    playButton.textContent = 'Пусни';
  }

  // 0 follows the lists, 1 forward, 2 back, 3 the first step, 4 the last.
  const step = (command) => showConstruction(app.program.UTF8ToString(app.program._tamirel_construction(command)));
  parts.refreshConstruction = () => {
    const before = parts.construction && parts.construction.title + parts.construction.steps;
    step(0);
    if (before !== parts.construction.title + parts.construction.steps) stopPlaying();
  };

  // Plays from the current step (from the first at the end) and stops at the end; while
  // playing, stops.
  function play() {
    const construction = parts.construction;
    if (playing) return stopPlaying();
    if (!construction.steps) return;
    if (construction.step === construction.steps) step(3);
    playButton.textContent = 'Спри';
    playing = setInterval(() => {
      step(1);
      if (parts.construction.step === parts.construction.steps) stopPlaying();
    }, construction.play);
  }

  const constructionSvgBlob = () => new Blob([parts.construction.svg], { type: 'image/svg+xml' });
  const constructionPngBlob = () => app.svgToPng(constructionSvgBlob());
  const copyStep = () => app.copyPicture(constructionPngBlob, constructionSvgBlob, 'Стъпката не беше копирана');
  const saveStep = () => app.savePicture(constructionPngBlob, constructionSvgBlob, 'tamirel-postroyavane');

  // The handout: every step a small numbered figure with its sentence, six to an A4 page.
  function fillHandout() {
    const handout = document.getElementById('handout');
    const pages = [];
    JSON.parse(app.program.UTF8ToString(app.program._tamirel_construction(5))).forEach((s, i) => {
      if (i % 6 === 0) {
        pages.push(document.createElement('section'));
        const heading = document.createElement('h2');
        heading.textContent = `${parts.construction.title}, ${parts.lesson().givens.split(',')[0]}`;
        pages.at(-1).append(heading);
      }
      const cell = document.createElement('figure');
      cell.innerHTML = s.svg;
      const caption = document.createElement('figcaption');
      caption.textContent = `${s.step}. ${s.sentence}`;
      cell.append(caption);
      pages.at(-1).append(cell);
    });
    handout.replaceChildren(...pages);
  }

  function printHandout() {
    stopPlaying();
    fillHandout();
    document.body.classList.add('handout');
    window.print();
  }
  window.addEventListener('afterprint', () => document.body.classList.remove('handout'));

  const stepCommands = { home: () => { stopPlaying(); step(3); }, back: () => { stopPlaying(); step(2); },
    play, forward: () => step(1), end: () => { stopPlaying(); step(4); },
    copy: copyStep, save: saveStep, print: printHandout };
  for (const button of constructionPart.querySelectorAll('[data-step]')) {
    button.addEventListener('click', () => stepCommands[button.dataset.step]());
  }
  const stepKeys = { ArrowRight: 'forward', PageDown: 'forward', ArrowLeft: 'back', PageUp: 'back',
    Home: 'home', End: 'end', ' ': 'play' };
  constructionPart.addEventListener('keydown', (e) => {
    const ctrl = (e.ctrlKey || e.metaKey) && !e.altKey;
    const command = { c: 'copy', s: 'save', p: 'print' }[e.key.toLowerCase()];
    if (!ctrl || !command || (command === 'copy' && !getSelection().isCollapsed)) return;
    stepCommands[command]();
    e.preventDefault();
    e.stopPropagation();   // the lesson's own Ctrl+C copies the lesson
  });
  document.getElementById('lesson').addEventListener('keydown', (e) => {
    const command = stepKeys[e.key];
    if (!command || e.ctrlKey || e.metaKey || e.altKey || !parts.construction?.steps) return;
    if (e.key === ' ' && e.target.closest('button, input, select')) return;   // Space presses a focused button
    stepCommands[command]();
    e.preventDefault();
  });

  Object.assign(window.tamirel, { construction: () => parts.construction,
    handout: () => { fillHandout(); document.body.classList.add('handout'); } });
})();
