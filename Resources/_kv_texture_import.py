# Imports image files as Texture2D assets.
#
# The connector runs this script with __kv_payload_path naming a JSON file
# {"textures": [{"filename", "filePath", "originalPath", "originalName", "targetPath", "settings"?}]}
# and writes to __kv_result_path:
#
# {"success": true when at least one texture was imported,
#  "results": [{"success", "path" (the asset's object path), "error"}, one per entry, in order],
#  "error": only when none was imported}
#
# Each texture is "<targetPath>/<originalName>" (the file name without its extension when there
# is no originalName): created, or its source replaced when a Texture2D is there already. The
# entry's settings (the keys _kv_texture_export.py writes) are applied, and the asset is saved.
# Everything lives inside one function that is deleted again.



def _kv_texture_import():
    import json
    import os

    import editor

    def read_payload():
        with open(__kv_payload_path, encoding='utf-8') as payload_file:
            payload = json.load(payload_file)
        if not isinstance(payload, dict) or not isinstance(payload.get('textures'), list):
            raise ValueError("the payload has no 'textures' array")
        return payload

    def text(entry, key):
        value = entry.get(key)
        return value if isinstance(value, str) else ''

    def import_one(entry):
        if not isinstance(entry, dict):
            return {'success': False, 'path': '', 'error': 'Not a texture entry'}
        file_path, target = text(entry, 'filePath'), text(entry, 'targetPath').rstrip('/')
        name = text(entry, 'originalName') or os.path.splitext(text(entry, 'filename'))[0]
        asset_path = '%s/%s.%s' % (target, name, name)
        try:
            texture = editor.import_texture(file_path, target, name)
            settings = entry.get('settings')
            refused = []
            if isinstance(settings, dict):
                refused = editor.set_texture_settings(texture, settings)[1]
            if not editor.save_asset(texture):
                return {'success': False, 'path': asset_path, 'error': 'Could not save %s' % asset_path}
        except Exception as error:
            return {'success': False, 'path': asset_path, 'error': '%s: %s' % (type(error).__name__, error)}
        result = {'success': True, 'path': texture.get_path_name(), 'error': ''}
        if refused:
            result['refusedSettings'] = refused
        return result

    def run(payload):
        results = [import_one(entry) for entry in payload['textures']]
        imported = sum(1 for result in results if result['success'])
        answer = {'success': imported > 0, 'results': results}
        if not imported:
            answer['error'] = 'No texture could be imported'
        return answer

    try:
        result = run(read_payload())
    except Exception as error:  # every failure is answered, never raised past the script
        result = {'success': False, 'error': '%s: %s' % (type(error).__name__, error), 'results': []}
    with open(__kv_result_path, 'w', encoding='utf-8') as result_file:
        json.dump(result, result_file)


try:
    _kv_texture_import()
finally:
    del _kv_texture_import
