// The page's half of the browser build: the canvas, WebGL, and the pointer, touch and context events, handed to
// glut.cpp as freeglut hands X11's to the program. Linked in with --js-library; the functions that C++ calls are
// declared in page.h.
mergeInto(LibraryManager.library, {
  $Page: {
    canvas: null,
    gl: null,
    program: null,
    uniforms: null,  // the program's uniform locations by name
    buffer: null,
    width: 0,  // CSS pixels
    height: 0,
    ratio: 1,  // canvas pixels per CSS pixel
    lost: false,
    shiftToggle: false,
    held: 0,  // the buttons of the drag going on, one bit per GLUT button
    pointer: null,  // the pointer that drags
    x: null,  // where the canvas was last seen in the browser's window
    y: null,

    // GL 1.1's transform and per-vertex lighting (web/gl/lighting.cpp's formula) for a draw's state (DrawState in
    // web/gl/frame.h). Wide lines come in clip coordinates with their colours, under identity matrices, unlit.
    VERTEX_SHADER: [
      'precision highp float;',
      'attribute vec4 position;',
      'attribute vec3 normalOrColour;',
      'uniform mat4 modelview, projection;',
      'uniform mat3 normals;',
      'uniform bool lighting;',
      'uniform int lightCount;',
      'uniform vec3 sceneColour;',
      'uniform vec4 lightPosition[8];',
      'uniform vec3 lightAmbient[8], lightDiffuse[8];',
      'varying vec3 lit;',
      'void main() {',
      '  vec4 eye = modelview * position;',
      '  gl_Position = projection * eye;',
      '  if (!lighting) {',
      '    lit = normalOrColour;',
      '    return;',
      '  }',
      '  vec3 n = normals * normalOrColour, v = eye.xyz / eye.w, sum = sceneColour;',
      '  for (int i = 0; i < 8; i++) {',
      '    if (i >= lightCount) break;',
      '    vec3 toLight = lightPosition[i].xyz - v * lightPosition[i].w;',  // a direction as it is
      '    float d = length(toLight);',
      '    float facing = d > 0.0 ? max(0.0, dot(n, toLight) / d) : 0.0;',
      '    sum += lightAmbient[i] + facing * lightDiffuse[i];',
      '  }',
      '  lit = clamp(sum, 0.0, 1.0);',
      '}'].join('\n'),
    FRAGMENT_SHADER: 'precision mediump float; varying vec3 lit; void main() { gl_FragColor = vec4(lit, 1.0); }',

    // What the program and the tests can read of the page: frames drawn, moves handed to the motion callback,
    // and the milliseconds spent in the program's callbacks and in handing frames to WebGL.
    stats: {frames: 0, moves: 0, callbackMs: 0, submitMs: 0},

    createResources: function() {
      var gl = Page.gl;
      function shader(type, source) {
        var s = gl.createShader(type);
        gl.shaderSource(s, source);
        gl.compileShader(s);
        if (!gl.getShaderParameter(s, gl.COMPILE_STATUS) && !gl.isContextLost()) console.error(gl.getShaderInfoLog(s));
        return s;
      }
      var program = gl.createProgram();
      gl.attachShader(program, shader(gl.VERTEX_SHADER, Page.VERTEX_SHADER));
      gl.attachShader(program, shader(gl.FRAGMENT_SHADER, Page.FRAGMENT_SHADER));
      gl.bindAttribLocation(program, 0, 'position');
      gl.bindAttribLocation(program, 1, 'normalOrColour');
      gl.linkProgram(program);
      gl.useProgram(program);
      Page.uniforms = {};
      ['modelview', 'projection', 'normals', 'lighting', 'lightCount', 'sceneColour', 'lightPosition[0]',
       'lightAmbient[0]', 'lightDiffuse[0]'].forEach(function(name) {
        Page.uniforms[name.replace('[0]', '')] = gl.getUniformLocation(program, name);
      });
      Page.buffer = gl.createBuffer();
      gl.bindBuffer(gl.ARRAY_BUFFER, Page.buffer);
      gl.enableVertexAttribArray(0);
      gl.enableVertexAttribArray(1);
      gl.vertexAttribPointer(0, 4, gl.FLOAT, false, 28, 0);
      gl.vertexAttribPointer(1, 3, gl.FLOAT, false, 28, 16);
      Page.program = program;
    },

    // The canvas at its CSS size, its pixels at the screen's density: sharper on a dense screen, the same picture.
    size: function() {
      Page.ratio = window.devicePixelRatio || 1;
      Page.canvas.style.width = Page.width + 'px';
      Page.canvas.style.height = Page.height + 'px';
      Page.canvas.width = Math.round(Page.width * Page.ratio);
      Page.canvas.height = Math.round(Page.height * Page.ratio);
    },

    asked: [640, 480],  // the window size the program asked for: the canvas's size wherever the viewport has room
    SMALLEST: 200,      // CSS pixels wide: on a narrower screen the page scrolls rather than shrink the picture more

    // The window size that the viewport shows whole: the largest of the program's shape in whole CSS pixels, no
    // larger than it asked, as wide as the layout viewport leaves inside the body's margins and, held sideways,
    // as high as the screen leaves; the visual viewport's height at scale 1, so that the reader's own zoom of the
    // page does not shrink the picture.
    fit: function() {
      var w = Page.asked[0], h = Page.asked[1];
      var body = getComputedStyle(document.body);
      var roomX = document.documentElement.clientWidth - parseFloat(body.marginLeft) - parseFloat(body.marginRight);
      var viewHeight = window.visualViewport ? window.visualViewport.height * window.visualViewport.scale
                                             : window.innerHeight;
      var roomY = viewHeight - parseFloat(body.marginTop) - parseFloat(body.marginBottom);
      var g = w, r = h;  // the shape's step, w / gcd by h / gcd
      while (r) { var t = g % r; g = r; r = t; }
      var steps = Math.floor(roomX / (w / g));
      if (document.documentElement.clientWidth > viewHeight) steps = Math.min(steps, Math.floor(roomY / (h / g)));
      steps = Math.max(Math.min(steps, g), Math.min(g, Math.ceil(Page.SMALLEST / (w / g))));
      return [steps * (w / g), steps * (h / g)];
    },

    // A rotation, a resized browser window, a screen of another density or a zoom of the page: the canvas takes
    // the size that fits, and the program hears of it as of a resized window, drag or no drag.
    refit: function() {
      var size = Page.fit();
      if (size[0] === Page.width && size[1] === Page.height && (window.devicePixelRatio || 1) === Page.ratio) return;
      Page.width = size[0];
      Page.height = size[1];
      Page.size();
      Page.call(function() { _webResized(Page.width, Page.height, Page.ratio); });
    },

    // Calls into the program, timed.
    call: function(f) {
      var start = performance.now();
      f();
      Page.stats.callbackMs += performance.now() - start;
    },

    modifiers: function(e) {
      return (e.shiftKey || Page.shiftToggle ? 1 : 0) | (e.ctrlKey ? 2 : 0) | (e.altKey ? 4 : 0);
    },

    // Window pixels from the canvas's top-left corner, whole as X11's; outside the canvas while a drag holds it.
    at: function(e) {
      var box = Page.canvas.getBoundingClientRect();
      return [Math.floor(e.clientX - box.left), Math.floor(e.clientY - box.top)];
    },

    // The browser's button numbers as GLUT's: left, middle, right, then freeglut's numbers for X11's back and
    // forward buttons.
    glutButton: function(button) { return [0, 1, 2, 7, 8][button]; },

    button: function(e, button, state) {
      var p = Page.at(e), mods = Page.modifiers(e);
      var bit = 1 << button;
      Page.held = state === 0 ? Page.held | bit : Page.held & ~bit;
      Page.call(function() { _webButton(button, state, p[0], p[1], mods); });
    },

    // Let go of everything still held: a drag that the browser took away still ends with its release.
    releaseAll: function(e) {
      for (var b = 0; b < 9; b++) if (Page.held & (1 << b)) Page.button(e, b, 1);
      Page.pointer = null;
    },

    // Fingers on the canvas. One is a left-button drag, as a mouse's; two are a Shift drag, and which one their first
    // few pixels tell: spread or pinched, a Shift + right drag (spreading comes closer, as a drag to the right
    // does); moved together, a Shift + middle drag at their midpoint. A third finger is ignored, and a gesture
    // keeps its kind until every finger has left.
    fingers: {
      at: {},      // client position of each finger followed, by pointer id
      count: 0,
      kind: null,  // 'one' or 'two' while a gesture lasts, 'over' once a finger of two has lifted
      two: null,   // the two-finger gesture: its start, its chosen button and where its pointer is
    },
    TELLS: 8,  // window pixels of movement that choose between pan and zoom

    twoFingers: function() {
      var ids = Object.keys(Page.fingers.at), a = Page.fingers.at[ids[0]], b = Page.fingers.at[ids[1]];
      return {x: (a.clientX + b.clientX) / 2, y: (a.clientY + b.clientY) / 2,
              spread: Math.hypot(a.clientX - b.clientX, a.clientY - b.clientY)};
    },

    fingerDown: function(e) {
      var f = Page.fingers;
      if (f.count === 2 || (Page.pointer !== null && f.count === 0)) return;  // a third finger; a mouse dragging
      Page.canvas.setPointerCapture(e.pointerId);
      f.at[e.pointerId] = {clientX: e.clientX, clientY: e.clientY};
      f.count++;
      if (f.count === 1) {
        Page.pointer = e.pointerId;
        f.kind = 'one';
        Page.button(e, 0, 0);
        return;
      }
      if (f.kind === 'one') Page.button(f.at[Page.pointer], 0, 1);  // the one-finger drag ends
      var start = Page.twoFingers();
      f.kind = 'two';
      f.two = {start: start, last: start, button: null, x: 0, y: 0};
    },

    // One motion event for each move of a finger, the moves the browser merged into this event first.
    fingerMove: function(e) {
      var f = Page.fingers, finger = f.at[e.pointerId];
      if (!finger || f.kind === 'over') return;
      var moves = e.getCoalescedEvents ? e.getCoalescedEvents() : [];
      if (moves.length === 0) moves = [e];
      Page.call(function() {
        for (var i = 0; i < moves.length; i++) {
          finger.clientX = moves[i].clientX;
          finger.clientY = moves[i].clientY;
          var p = f.kind === 'one' ? Page.at(moves[i]) : Page.twoFingerPointer();
          if (!p) continue;
          Page.stats.moves++;
          _webMotion(p[0], p[1], Page.fingers.kind === 'one' ? Page.modifiers(e) : 1, moves.length - 1 - i);
        }
      });
    },

    // Where the two fingers put the pointer, in window pixels; null while their movement does not yet tell a pan
    // from a zoom. The pointer moves by the fingers' own movement, so that a window resized under them does not
    // make it jump.
    twoFingerPointer: function() {
      var g = Page.fingers.two, now = Page.twoFingers();
      if (g.button === null) {
        var moved = Math.hypot(now.x - g.start.x, now.y - g.start.y), spread = Math.abs(now.spread - g.start.spread);
        if (Math.max(moved, spread) < Page.TELLS) return null;
        var box = Page.canvas.getBoundingClientRect();
        g.x = g.start.x - box.left;
        g.y = g.start.y - box.top;
        g.button = spread > moved ? 2 : 1;
        g.last = g.start;
        var start = [Math.floor(g.x), Math.floor(g.y)];
        Page.held |= 1 << g.button;
        _webButton(g.button, 0, start[0], start[1], 1);
      }
      if (g.button === 2) {
        g.x += now.spread - g.last.spread;
      } else {
        g.x += now.x - g.last.x;
        g.y += now.y - g.last.y;
      }
      g.last = now;
      return [Math.floor(g.x), Math.floor(g.y)];
    },

    // A finger lifted, cancelled or taken away: the drag ends with its release, and the gesture with it.
    fingerUp: function(e) {
      var f = Page.fingers;
      if (!f.at[e.pointerId]) return;
      if (f.kind === 'one') {
        Page.button(e, 0, 1);
      } else if (f.kind === 'two' && f.two.button !== null) {
        var g = f.two, x = Math.floor(g.x), y = Math.floor(g.y);
        Page.held &= ~(1 << g.button);
        Page.call(function() { _webButton(g.button, 1, x, y, 1); });
      }
      delete f.at[e.pointerId];
      f.count--;
      f.kind = f.count ? 'over' : null;
      if (!f.count) Page.pointer = null;
    },

    listen: function() {
      var canvas = Page.canvas;
      canvas.addEventListener('pointerdown', function(e) {
        e.preventDefault();  // no text selection, no middle-button autoscroll
        if (e.pointerType === 'touch') return Page.fingerDown(e);
        if (Page.pointer !== null && e.pointerId !== Page.pointer) return;  // a second finger
        var button = Page.glutButton(e.button);
        if (button === undefined) return;
        if (Page.pointer === null) {
          Page.pointer = e.pointerId;
          canvas.setPointerCapture(e.pointerId);
        }
        Page.button(e, button, 0);
      });
      canvas.addEventListener('pointermove', function(e) {
        if (e.pointerType === 'touch') return Page.fingerMove(e);
        if (e.pointerId !== Page.pointer) return;
        if (e.button >= 0) {  // a second button pressed or released during the drag
          var button = Page.glutButton(e.button);
          if (button !== undefined) Page.button(e, button, e.buttons & (1 << e.button) ? 0 : 1);
          return;
        }
        // The moves the browser merged into this event: each takes its camera change and animation step, and
        // only the last is drawn, as on X11 when moves wait in the queue.
        var moves = e.getCoalescedEvents ? e.getCoalescedEvents() : [];
        if (moves.length === 0) moves = [e];
        var mods = Page.modifiers(e);
        Page.call(function() {
          for (var i = 0; i < moves.length; i++) {
            var p = Page.at(moves[i]);
            Page.stats.moves++;
            _webMotion(p[0], p[1], mods, moves.length - 1 - i);
          }
        });
      });
      canvas.addEventListener('pointerup', function(e) {
        if (e.pointerType === 'touch') return Page.fingerUp(e);
        if (e.pointerId !== Page.pointer) return;
        var button = Page.glutButton(e.button);
        if (button !== undefined) Page.button(e, button, 1);
        if (!Page.held) Page.pointer = null;
      });
      ['pointercancel', 'lostpointercapture'].forEach(function(type) {
        canvas.addEventListener(type, function(e) {
          if (e.pointerType === 'touch') Page.fingerUp(e);
          else if (e.pointerId === Page.pointer) Page.releaseAll(e);
        });
      });
      // The right button drags; the middle one must not paste or scroll.
      canvas.addEventListener('contextmenu', function(e) { e.preventDefault(); });
      canvas.addEventListener('auxclick', function(e) { e.preventDefault(); });
      canvas.addEventListener('mousedown', function(e) { e.preventDefault(); });
      // A wheel click is a press and release of button 3 (up) or 4 (down), as freeglut reports X11's wheel.
      canvas.addEventListener('wheel', function(e) {
        e.preventDefault();
        if (e.deltaY === 0) return;
        var button = e.deltaY < 0 ? 3 : 4, p = Page.at(e), mods = Page.modifiers(e);
        Page.call(function() {
          _webButton(button, 0, p[0], p[1], mods);
          _webButton(button, 1, p[0], p[1], mods);
        });
      }, {passive: false});

      canvas.addEventListener('webglcontextlost', function(e) {
        e.preventDefault();  // asks for it back
        Page.lost = true;
      });
      canvas.addEventListener('webglcontextrestored', function() {
        Page.lost = false;
        Page.createResources();
        Page.call(function() { _webRedraw(); });
      });

      var toggle = document.getElementById('shift');
      if (toggle) {
        toggle.addEventListener('click', function() {
          Page.shiftToggle = !Page.shiftToggle;
          toggle.setAttribute('aria-pressed', String(Page.shiftToggle));
        });
      }
      // The canvas moves in the browser's window when the page scrolls or its layout changes, drag or no drag.
      var place = function() {
        var box = canvas.getBoundingClientRect(), x = Math.round(box.left), y = Math.round(box.top);
        if (x === Page.x && y === Page.y) return;
        Page.x = x;
        Page.y = y;
        Page.call(function() { _webMoved(x, y); });
      };
      window.addEventListener('scroll', place, {passive: true, capture: true});
      var relayout = function() {
        Page.refit();
        place();
      };
      window.addEventListener('resize', relayout);
      window.addEventListener('orientationchange', relayout);
      if (window.visualViewport) window.visualViewport.addEventListener('resize', relayout);
      place();
      Page.watchRatio();
    },

    // A window moved to a screen of another density, or a zoom of the page: the canvas's pixels follow.
    watchRatio: function() {
      var query = window.matchMedia('(resolution: ' + (window.devicePixelRatio || 1) + 'dppx)');
      query.addEventListener('change', function() {
        Page.refit();
        Page.watchRatio();
      }, {once: true});
    },
  },

  webCreateCanvas__deps: ['$Page', 'webButton', 'webMotion', 'webMoved', 'webResized', 'webRedraw'],
  webCreateCanvas: function(width, height, title) {
    document.title = UTF8ToString(title);
    Page.canvas = document.getElementById('canvas');
    Page.asked = [HEAP32[width >> 2], HEAP32[height >> 2]];
    var size = Page.fit();
    Page.width = HEAP32[width >> 2] = size[0];
    Page.height = HEAP32[height >> 2] = size[1];
    Page.size();
    Module.stats = Page.stats;
    Page.listen();
    Page.gl = Page.canvas.getContext('webgl', {alpha: false, depth: true, stencil: false, antialias: false});
    if (!Page.gl) {
      var message = document.getElementById('no-webgl');
      if (message) message.hidden = false;
      return 0;
    }
    Page.createResources();
    return 1;
  },

  webPixelRatio__deps: ['$Page'],
  webPixelRatio: function() { return Page.ratio; },

  webSubmitFrame__deps: ['$Page'],
  webSubmitFrame: function(commands, commandCount, vertices, vertexCount, states, newFrame) {
    if (newFrame) Page.stats.frames++;
    var gl = Page.gl;
    if (!gl || Page.lost) return;
    var start = performance.now();
    gl.bufferData(gl.ARRAY_BUFFER, HEAPF32.subarray(vertices >> 2, (vertices >> 2) + vertexCount * 7), gl.STREAM_DRAW);
    var u = Page.uniforms, uploaded = -1;  // a state's uniforms are set once for the draws in a row that use it
    for (var c = commands >> 2, end = c + commandCount * 5; c < end; c += 5) {
      var kind = HEAP32[c], a = HEAP32[c + 1], b = HEAP32[c + 2], cc = HEAP32[c + 3], d = HEAP32[c + 4];
      if (kind === 1) {
        gl.clear(a & (gl.COLOR_BUFFER_BIT | gl.DEPTH_BUFFER_BIT));
      } else if (kind === 2) {
        gl.viewport(a, b, cc, d);
      } else if (kind === 3) {
        if (d !== uploaded) {
          var s = (states >> 2) + d * 126, f = HEAPF32;
          gl.uniformMatrix4fv(u.modelview, false, f.subarray(s, s + 16));
          gl.uniformMatrix4fv(u.projection, false, f.subarray(s + 16, s + 32));
          gl.uniformMatrix3fv(u.normals, false, f.subarray(s + 32, s + 41));
          gl.uniform1i(u.lighting, f[s + 41]);
          gl.uniform1i(u.lightCount, f[s + 42]);
          gl.uniform3fv(u.sceneColour, f.subarray(s + 43, s + 46));
          gl.uniform4fv(u.lightPosition, f.subarray(s + 46, s + 78));
          gl.uniform3fv(u.lightAmbient, f.subarray(s + 78, s + 102));
          gl.uniform3fv(u.lightDiffuse, f.subarray(s + 102, s + 126));
          uploaded = d;
        }
        if (cc) gl.enable(gl.DEPTH_TEST); else gl.disable(gl.DEPTH_TEST);
        gl.drawArrays(gl.TRIANGLES, a, b);
      }
    }
    Page.stats.submitMs += performance.now() - start;
  },
});
