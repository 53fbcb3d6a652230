#version 120
#extension GL_EXT_gpu_shader4 : enable

// Phong lighting from the single light, with a filtered shadow test for the
// models that receive shadows (the arena).

uniform sampler2D texture;
uniform sampler2D shadowMap;
uniform int useTexture;
uniform int hasShadow;
uniform int mode;
uniform vec3 lightPos;
uniform vec3 cameraPos;
uniform vec3 light_ambient;
uniform vec3 light_diffuse;
uniform vec3 light_specular;

varying vec3 worldPos;
varying vec3 worldNormal;
varying vec2 uv;
varying vec4 color;
varying vec4 shadowCoord;

const float SHADOW_MAP_SIZE = 2048.0;
const float SHADOW_TEXEL = 1.0 / SHADOW_MAP_SIZE;
// The light's colours are dim; this brings a fully lit surface close to its own colour.
const float EXPOSURE = 3.0;
const float SHININESS = 24.0;

// Depth of the nearest occluder at a point of the shadow map. The map's own
// filter would blend four depths for each of the nine taps below, which the
// renderer does on the CPU at a high price; reading the one texel under the
// tap is what filtering by comparison needs.
float shadowDepth(vec2 point) {
#ifdef GL_EXT_gpu_shader4
    // Clamped to the edge, as the map's wrap mode would.
    vec2 texel = clamp(floor(point * SHADOW_MAP_SIZE), 0.0, SHADOW_MAP_SIZE - 1.0);
    return texelFetch2D(shadowMap, ivec2(texel), 0).r;
#else
    return texture2D(shadowMap, point).r;
#endif
}

// Fraction of the light that reaches this point, 0 (shadowed) to 1 (lit),
// averaged over a 3x3 patch of the shadow map so shadow edges are soft.
float lightVisibility(float facing) {
    if (hasShadow != 1 || shadowCoord.w <= 0.0)
        return 1.0;
    vec3 coord = shadowCoord.xyz / shadowCoord.w;
    if (coord.x <= 0.0 || coord.x >= 1.0 || coord.y <= 0.0 || coord.y >= 1.0 || coord.z >= 1.0)
        return 1.0;
    // Surfaces turned away from the light need a larger margin against acne.
    float bias = 0.0015 + 0.003 * (1.0 - clamp(facing, 0.0, 1.0));
    float lit = 0.0;
    for (int x = -1; x <= 1; ++x) {
        for (int y = -1; y <= 1; ++y) {
            vec2 offset = vec2(float(x), float(y)) * 1.5 * SHADOW_TEXEL;
            float occluder = shadowDepth(coord.xy + offset);
            lit += (coord.z - bias > occluder) ? 0.0 : 1.0;
        }
    }
    return lit / 9.0;
}

void main() {
    // The shadow pass puts the eye at the light and keeps only depth: the
    // colour would go nowhere. The test is the same for every fragment of a
    // draw, so the renderer really skips the lighting below rather than
    // computing it and masking it off.
    if (cameraPos == lightPos) {
        gl_FragColor = vec4(0.0);
        return;
    }
    vec4 base = (useTexture == 1) ? texture2D(texture, uv) : color;
    vec3 normal = normalize(worldNormal);
    vec3 toLight = normalize(lightPos - worldPos);
    vec3 toEye = normalize(cameraPos - worldPos);

    float facing = dot(normal, toLight);
    float diffuse = max(facing, 0.0);
    float specular = 0.0;
    if (facing > 0.0)
        specular = pow(max(dot(reflect(-toLight, normal), toEye), 0.0), SHININESS);

    float visibility = lightVisibility(facing);
    vec3 lit = base.rgb * (light_ambient + visibility * diffuse * light_diffuse) * EXPOSURE +
               visibility * specular * 0.4 * light_specular;

    // The main pass adds a cool rim so figures stand out against the arena.
    if (mode == 1) {
        float rim = 1.0 - max(dot(normal, toEye), 0.0);
        lit += vec3(0.25, 0.3, 0.45) * pow(rim, 3.0) * 0.5;
    }
    gl_FragColor = vec4(lit, base.a);
}
